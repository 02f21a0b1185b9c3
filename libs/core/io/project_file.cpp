#include "io/project_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "io/byte_stream.h"
#include "io/element_codec.h"
#include "model/atomic_file.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "model/objekt_list.h"
#include "model/read_file.h"

namespace bs {

namespace fs = std::filesystem;

namespace {
std::string BaseName(const std::string& path) { return fs::path(path).filename().string(); }

// Old files count in 1/100 mm; damaged ones may hold values that do not
// fit once converted, which saturate instead of overflowing.
int32_t Times100(int32_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} * 100, -INT32_MAX, INT32_MAX));
}

// Board records of versions 3 (482 bytes) and 4 (490 bytes).
TPlatine DecodeOldPlatine(const uint8_t* in, int version) {
  using namespace le;
  TPlatine p;
  p.Width = GetI32(in + 4);
  p.Height = GetI32(in + 8);
  p.GroundPlane = {};
  p.GroundPlane[kLayerC1] = in[12];
  p.GroundPlane[kLayerC2] = in[13];
  p.Grid = GetF64(in + 14);
  p.Zoom = GetF64(in + 22);
  p.ScrollX = GetI32(in + 30);
  p.ScrollY = GetI32(in + 34);
  p.ActiveLayer = in[38];
  p.LayerVisible = {0, 1, 1, 1, 1, 1, 1, 1};
  if (version == 4)
    for (int l = 1; l <= 4; ++l) p.LayerVisible[l] = in[42 + l - 1];
  p.Template1On = in[46];
  p.Template2On = in[47];
  auto shortString = [&](size_t off) {
    return std::string(reinterpret_cast<const char*>(in + off + 1), std::min<size_t>(in[off], 200));
  };
  p.Template1File = shortString(48);
  p.Template2File = shortString(249);
  int32_t* words[] = {&p.Template1Dpi,     &p.Template2Dpi,     &p.Template1OffsetX, &p.Template2OffsetX,
                      &p.Template1OffsetY, &p.Template2OffsetY, &p.Template1Colour,  &p.Template2Colour,
                      &p.OriginX,          &p.OriginY};
  const int count = version == 4 ? 10 : 8;
  for (int i = 0; i < count; ++i) *words[i] = GetI32(in + 450 + 4 * i);
  if (version == 3) p.OriginX = p.OriginY = 0;
  p.Multilayer = 0;
  return p;
}

TPlatine ReadBoardRecord(TByteReader& r, int version) {
  TPlatine p;
  if (version == 3) p = DecodeOldPlatine(r.Take(482), 3);
  else if (version == 4) p = DecodeOldPlatine(r.Take(490), 4);
  else p = DecodePlatine(r.Take(kPlatineSize));
  if (version <= 5) {
    p.Width = Times100(p.Width);
    p.Height = Times100(p.Height);
    p.Grid *= 100;
    p.Zoom /= 100;
  }
  if (version == 4 || version == 5) {
    p.OriginX = RoundInt(p.OriginX / 10.0);
    p.OriginY = RoundInt(p.OriginY / 10.0);
  }
  if (version == 3) std::swap(p.GroundPlane[kLayerC1], p.GroundPlane[kLayerC2]);
  return p;
}

// Reads the elements of one board and applies the conversions of its version.
void ReadBoardElements(TByteReader& r, int version, size_t count, TBoard& board) {
  ReadElementBlocks(r, version, count, board.Elements);
  ConvertOldElements(board.Elements, version);
  CleanUpList(board.Elements);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

TFileCheck CheckFileHeader(const uint8_t* data, size_t size, const std::string& path) {
  TFileCheck c;
  const std::string name = BaseName(path);
  if (size < 4) {
    c.Message = FormatMessage(msg::kNotABoardsmithFile, {name});
    return c;
  }
  const int64_t d = static_cast<int64_t>(le::GetU32(data)) - static_cast<int64_t>(kFileMagic);
  if (d >= 0 && d <= kCurrentFileVersion) {
    c.Ok = true;
    c.Version = static_cast<int>(d);
  } else if (d > kCurrentFileVersion && d < 12) {
    c.Message = FormatMessage(msg::kNewerVersion, {name, std::to_string(d)});
  } else {
    c.Message = FormatMessage(msg::kNotABoardsmithFile, {name});
  }
  return c;
}

TFileCheck CheckFile(const std::string& path) {
  const TFileBytes read = ReadRegularFileHead(path, 4);
  if (!read.Ok()) {
    TFileCheck c;
    c.Message = ReadFaultMessage(read, path);
    return c;
  }
  return CheckFileHeader(read.Bytes.data(), read.Bytes.size(), path);
}

TReadResult ReadProjectBytes(TProject& project, const uint8_t* data, size_t size, bool import, const std::string& path,
                             const TReadOptions& opt) {
  TReadResult res;
  const TFileCheck check = CheckFileHeader(data, size, path);
  if (!check.Ok) {
    res.Error = check.Message;
    return res;
  }
  const int version = check.Version;
  res.Version = version;
  if (!import) {
    project.Boards.clear();
    project.ActiveIndex = -1;
    project.Info = {};
  }
  const size_t boardsBefore = project.Boards.size();
  TByteReader r(data, size);
  r.Skip(4);
  int activeInFile = -1;
  TProjectInfo info;
  bool complete = false;
  try {
    if (version <= 2) {
      auto board = std::make_unique<TBoard>();
      board->Caption = DefaultBoardName(opt.Language) + " ";
      const int32_t w = r.I32(), h = r.I32();
      board->Platine = NewPlatine(Times100(w), Times100(h), false);
      const int16_t n = r.I16();
      ReadBoardElements(r, version, static_cast<size_t>(std::max<int16_t>(n, 0)), *board);
      board->Platine.ScrollX = board->Platine.ScrollY = 0;
      board->Platine.ActiveLayer = kLayerC2;
      board->Platine.OriginX = 0;
      board->Platine.OriginY = -board->Platine.Height;
      project.Boards.push_back(std::move(board));
    } else {
      const size_t recordSize = version == 3 ? 482 : version == 4 ? 490 : kPlatineSize;
      const size_t boards = r.Count(r.I32(), 31 + recordSize + 4);
      for (size_t b = 0; b < boards; ++b) {
        auto board = std::make_unique<TBoard>();
        board->Caption = r.ShortString(30) + " ";
        board->Platine = ReadBoardRecord(r, version);
        const int32_t n = r.I32();
        if (n < 0) throw TReadError("negative element count");
        ReadBoardElements(r, version, static_cast<size_t>(n), *board);
        project.Boards.push_back(std::move(board));
      }
      activeInFile = r.I32();
      if (version == 3) {
        r.I32();  // an old zero point, superseded by the board record
        r.I32();
      } else {
        info.Title = r.ShortString(100);
        info.Author = r.ShortString(100);
        info.Company = r.ShortString(100);
        const size_t n = r.Count(r.I32(), 1);
        const uint8_t* s = r.Take(n);
        info.Comment.assign(reinterpret_cast<const char*>(s), n);
      }
    }
    complete = true;
  } catch (const TReadError&) {
    res.Error = FormatMessage(msg::kDamaged, {path});
    project.FileName.clear();
  }

  if (project.Boards.empty())
    project.Boards.push_back([&] {
      auto b = std::make_unique<TBoard>();
      b->Caption = DefaultBoardName(opt.Language) + " ";
      b->Platine = NewPlatine(1600000, 1000000, false);
      return b;
    }());
  const int count = static_cast<int>(project.Boards.size());
  if (import || !complete) {
    project.ActiveIndex = count - 1;
  } else {
    project.Info = version >= 4 ? info : TProjectInfo{};
    project.ActiveIndex = (activeInFile >= 0 && activeInFile < count) ? activeInFile : 0;
  }
  for (size_t b = boardsBefore; b < project.Boards.size(); ++b) {
    TBoard& board = *project.Boards[b];
    if (version < 6) PadFixUp(board.Elements);
    ConvertLegacyTexts(board.Elements, board.Platine, opt.PixelsPerInch);
  }
  if (TBoard* active = project.Active()) RenumberGroupsAndComponents(active->Elements);
  project.Changed = import;
  if (version < 4) res.Warning = msg::kOldLayers;
  res.Ok = complete;
  return res;
}

TReadResult ReadProjectFile(TProject& project, const std::string& path, bool import, const TReadOptions& opt) {
  const TFileBytes read = ReadRegularFile(path);
  if (!read.Ok()) {
    TReadResult res;
    res.Error = ReadFaultMessage(read, path);
    return res;
  }
  return ReadProjectBytes(project, read.Bytes.data(), read.Bytes.size(), import, path, opt);
}

std::vector<uint8_t> EncodeProject(const TProject& project) {
  TByteWriter w;
  std::vector<std::vector<const TObjekt*>> lists;
  size_t size = 4 + 4 + 4 + 3 * 101 + 4 + 1900;
  for (const auto& board : project.Boards) {
    std::vector<const TObjekt*>& list = lists.emplace_back();
    list.reserve(board->Elements.size());
    for (const auto& e : board->Elements) list.push_back(e.get());
    size += 31 + kPlatineSize + 4 + ElementBlocksSize(list, true);
  }
  w.Reserve(size);
  w.U32(kFileMagic + kCurrentFileVersion);
  w.I32(static_cast<int32_t>(project.Boards.size()));
  for (size_t b = 0; b < project.Boards.size(); ++b) {
    const TBoard* board = project.Boards[b].get();
    w.ShortString(StoredBoardName(*board), kBoardNameMax);
    EncodePlatine(board->Platine, w.Grow(kPlatineSize));
    w.I32(static_cast<int32_t>(board->Elements.size()));
    WriteElementBlocks(w, lists[b], true);
  }
  w.I32(project.ActiveIndex);
  w.ShortString(project.Info.Title, 100);
  w.ShortString(project.Info.Author, 100);
  w.ShortString(project.Info.Company, 100);
  const std::string comment = project.Info.Comment.substr(0, 1900);
  w.I32(static_cast<int32_t>(comment.size()));
  w.Append(reinterpret_cast<const uint8_t*>(comment.data()), comment.size());
  return std::move(w.Bytes());
}

static std::vector<char> ElementsOutsideBoard(const TBoard& board) {
  const std::vector<std::optional<TURect>> sets = PartnerSetBounds(board.Elements, board.Platine);
  std::vector<char> outside(sets.size(), 0);
  for (size_t i = 0; i < sets.size(); ++i) outside[i] = !(sets[i] && MeetsWorkingSpace(*sets[i], board.Platine));
  return outside;
}

size_t CountElementsOutsideBoard(const TBoard& board) {
  const std::vector<char> outside = ElementsOutsideBoard(board);
  return size_t(std::count(outside.begin(), outside.end(), 1));
}

size_t RemoveElementsOutsideBoard(TBoard& board) {
  const std::vector<char> outside = ElementsOutsideBoard(board);
  TObjektList& list = board.Elements;
  size_t k = 0;
  const size_t removed = DeleteObjekte(list, [&](const TObjekt&) { return outside[k++] != 0; });
  CleanUpList(list);
  return removed;
}

TWriteResult WriteProject(TProject& project, const std::string& path, bool autosave) {
  TWriteResult res;
  if (TBoard* active = project.Active()) {
    if (!autosave) RemoveElementsOutsideBoard(*active);
    RenumberGroupsAndComponents(active->Elements);
  }
  if (std::string reason; !WriteFileAtomically(path, EncodeProject(project), &reason)) {
    res.Error = FormatMessage(msg::kCannotWriteBecause, {path, reason});
    return res;
  }
  if (!autosave) project.Changed = false;
  res.Ok = true;
  return res;
}

std::string WithProjectExtension(const std::string& path) {
  fs::path p(path);
  if (Lower(p.extension().string()) == ".bsm6") return path;
  p.replace_extension(".bsm6");
  return p.string();
}

std::string AutosaveName(const std::string& path) {
  fs::path p(path);
  p.replace_extension(".bsm6");
  return p.string() + ".bak";
}

bool SaveProjectAs(TProject& project, const std::string& path, const TProjectUi& ui) {
  const std::string target = WithProjectExtension(path);
  bool deleteOriginal = false;
  if (target != path && fs::exists(path)) {
    const TAnswer a = ui.AskYesNoCancel ? ui.AskYesNoCancel(msg::kKeepOriginal) : TAnswer::Yes;
    deleteOriginal = a == TAnswer::No;
  }
  if (const TBoard* active = project.Active()) {
    const size_t outside = CountElementsOutsideBoard(*active);
    if (outside > 0 && ui.Confirm && !ui.Confirm(FormatMessage(msg::kRemoveOutside, {std::to_string(outside)})))
      return false;
  }
  const TWriteResult w = WriteProject(project, target);
  if (!w.Ok) {
    if (ui.Inform) ui.Inform(w.Error);
    return false;
  }
  if (deleteOriginal && std::remove(path.c_str()) != 0 && ui.Inform)
    ui.Inform(FormatMessage(msg::kCannotDelete, {path}));
  project.FileName = target;
  project.LastDirectory = fs::path(target).parent_path().string();
  return true;
}

}  // namespace bs
