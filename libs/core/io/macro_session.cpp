#include "io/macro_session.h"

#include <filesystem>
#include <system_error>

#include "model/messages.h"

namespace fs = std::filesystem;

namespace bs {

namespace {
const std::string kNoPath;

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

TByteString Cut(const TByteString& text) { return text.size() > kMacroTextMax ? text.substr(0, kMacroTextMax) : text; }
}  // namespace

std::string MacroNotSavedMessage(const std::string& path) { return FormatMessage(msg::kCannotWrite, {path}); }

const std::string& TMacroSession::Path() const { return loaded_ ? macro_.Path : kNoPath; }

std::string TMacroSession::WriteBack() {
  if (!Modified() || !FileExists(macro_.Path)) return {};
  if (SaveMacro(macro_.Path, macro_, View.Grid)) return {};
  return MacroNotSavedMessage(macro_.Path);
}

TMacroSession::TLoadResult TMacroSession::Load(const std::string& path, bool discardChanges) {
  TLoadResult res;
  if (!IsMacroFileName(path)) {
    res.Ignored = true;
    return res;
  }
  if (std::string error = WriteBack(); !error.empty() && !discardChanges) {
    res.WriteBackFailed = true;
    res.Error = std::move(error);
    return res;
  }
  // LoadMacro writes back only a modified macro: what was handled above is
  // not written again.
  macro_.Modified = false;
  loaded_ = false;
  const TMacroReadResult read = LoadMacro(macro_, path, View);
  if (!read.Ok) {
    macro_ = TMacro{};
    res.Error = read.Error;
    res.Detail = read.Detail;
    return res;
  }
  loaded_ = true;
  shownTop_ = View.Top;
  res.Ok = true;
  return res;
}

void TMacroSession::SetSide(bool top) {
  View.Top = top;
  if (!loaded_ || shownTop_ == top) return;
  FlipMacro(macro_.Elements, View.Grid);
  shownTop_ = top;
}

void TMacroSession::Rotate(bool alwaysReadable) {
  if (!loaded_) return;
  RotateMacro(macro_, shownTop_, alwaysReadable, View.Grid);
}

void TMacroSession::SetTexts(const TByteString& text1, const TByteString& text2) {
  if (!loaded_) return;
  const TByteString t1 = Cut(text1), t2 = Cut(text2);
  if (t1 == macro_.Text1 && t2 == macro_.Text2) return;
  macro_.Text1 = t1;
  macro_.Text2 = t2;
  macro_.Modified = true;
}

void TMacroSession::SetAddAsComponent(bool on) {
  View.AddAsComponent = on;
  if (loaded_) ShowMacroLabels(macro_.Elements, on);
}

void TMacroSession::MarkModified() {
  if (loaded_) macro_.Modified = true;
}

TObjektList TMacroSession::PreviewElements() const {
  TObjektList out;
  if (!loaded_) return out;
  out.reserve(macro_.Elements.size());
  for (const auto& e : macro_.Elements) {
    out.push_back(ScratchCopy(*e));
    TObjekt& c = *out.back();
    if (Vias && c.Kind == kKindThtPad && IsCopperLayer(c.Layer)) c.Via = 1;
  }
  return out;
}

bool TMacroSession::CanDelete(const std::string& path) const { return loaded_ && !path.empty() && path == macro_.Path; }

TMacroSession::TDeleteResult TMacroSession::Delete(const std::string& path) {
  TDeleteResult res;
  if (!CanDelete(path)) return res;
  if (!DeleteMacroFile(path)) {
    res.Error = FormatMessage(msg::kCannotDelete, {path});
    return res;
  }
  Unload();
  res.Ok = true;
  return res;
}

void TMacroSession::Renamed(const std::string& oldPath, const std::string& newPath) {
  if (!loaded_ || oldPath.empty()) return;
  std::string& p = macro_.Path;
  if (p == oldPath) {
    p = newPath;
  } else if (p.size() > oldPath.size() && p.compare(0, oldPath.size(), oldPath) == 0 && p[oldPath.size()] == '/') {
    p = newPath + p.substr(oldPath.size());
  }
}

void TMacroSession::Unload() {
  macro_ = TMacro{};
  loaded_ = false;
}

}  // namespace bs
