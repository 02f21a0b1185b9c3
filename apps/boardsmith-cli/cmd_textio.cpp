// "textio": exports a board's elements as text records and imports such
// records into a new project.
#include <algorithm>
#include <limits>
#include <ostream>

#include "args.h"
#include "cli.h"
#include "edit/clipboard.h"
#include "edit/text_io.h"
#include "io/project_file.h"
#include "io/text_exchange.h"
#include "load.h"
#include "model/atomic_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/platine.h"
#include "model/read_file.h"
#include "project/project.h"

namespace bs::cli {

namespace {
const char* const kName = "textio";

const char* const kUsage =
    "Usage: boardsmith-cli textio export FILE [--board N] [--selected] [--force] OUT.txt\n"
    "       boardsmith-cli textio import IN.txt [--force] OUT.bsm6\n"
    "       boardsmith-cli textio paste IN.txt FILE --at X,Y [--board N] [--force] OUT.bsm6\n\n"
    "Exchanges elements with other programs and scripts as text records, one per\n"
    "line: KEYWORD,NAME=value,...; with lengths in units of 0.1 um and the y axis\n"
    "pointing down. Tracks, zones, THT and SMD pads, circles and texts are exchanged.\n\n"
    "  export  writes every element of one board of the project FILE to OUT.txt,\n"
    "          or with --selected only its selected elements\n"
    "  import  reads IN.txt and writes its elements, placed as they are, on the one\n"
    "          board of a new project OUT.bsm6. The board is 160 x 100 mm, or larger\n"
    "          when the elements reach further right or down, up to 500 x 500 mm;\n"
    "          elements wholly left of or above the board are left out, an element\n"
    "          wholly beyond 500 mm right or down stops the import. Records without a\n"
    "          layer or track width get layer C2 and 0.254 mm; zones without a\n"
    "          clearance get 0.4 mm.\n"
    "  paste   reads IN.txt as the editor's Text-IO import does and places its\n"
    "          elements on a board of FILE as a paste would: their reference point\n"
    "          at X,Y (units; y is negative on the board), group and component\n"
    "          numbers kept apart from the board's, then writes the project to\n"
    "          OUT.bsm6. Records without a layer get the board's active layer.\n\n"
    "Options:\n"
    "  --board N   the board to export from or paste on, counted from 0 (default:\n"
    "              the file's active board)\n"
    "  --selected  export only the selected elements\n"
    "  --at X,Y    where a paste puts the elements' reference point\n"
    "  --force     replace the output file when it exists\n";

constexpr int32_t kImportLayer = kLayerC2;
constexpr int32_t kImportTrackWidth = 2540;
constexpr int32_t kImportZoneClearance = 4000;

int Export(const TArgs& a, TContext& ctx) {
  const std::string& in = a.Positional()[1];
  const std::string& out = a.Positional()[2];
  long long boardIndex = -1;
  if (a.Value("--board")) {
    if (std::string e = a.IntValue("--board", 0, std::numeric_limits<int32_t>::max(), boardIndex); !e.empty())
      return UsageError(ctx, kName, e);
  }

  TProject project;
  int version = 0;
  if (!LoadProject(ctx, kName, in, project, version)) return 1;
  if (!MayWrite(ctx, kName, out, a.Has("--force"))) return 1;

  const int count = static_cast<int>(project.Boards.size());
  if (boardIndex >= count)
    return Fail(
        ctx, kName,
        "the project has " + std::to_string(count) + " board(s); there is no board " + std::to_string(boardIndex));
  const TBoard& board = boardIndex >= 0 ? *project.Boards[boardIndex] : *project.Active();
  if (board.Elements.empty()) return Fail(ctx, kName, "the board has no elements to export");

  bool selected = false;
  std::vector<const TObjekt*> list = TextExportElements(board, selected);
  if (a.Has("--selected") && !selected) return Fail(ctx, kName, "no element of the board is selected");
  const std::string text = WriteTextExchange(list);
  if (!WriteFileAtomically(out, std::vector<uint8_t>(text.begin(), text.end())))
    return Fail(ctx, kName, "The file \"" + out + "\" can not be written.");
  ctx.out << list.size() << " element(s) written to " << out << "\n";
  return 0;
}

int Import(const TArgs& a, TContext& ctx) {
  const std::string& in = a.Positional()[1];
  const std::string& out = a.Positional()[2];
  if (!MayWrite(ctx, kName, out, a.Has("--force"))) return 1;

  const TFileBytes file = ReadRegularFile(in);
  if (!file.Ok()) return Fail(ctx, kName, ReadFaultMessage(file, in));
  const std::string text(file.Bytes.begin(), file.Bytes.end());

  TTextImportDefaults defaults;
  defaults.ActiveLayer = kImportLayer;
  defaults.TrackWidth = kImportTrackWidth;
  defaults.ZoneClearance = kImportZoneClearance;
  TTextImportResult read = ReadTextExchange(text, defaults);
  if (!read.Ok) return Fail(ctx, kName, read.Error);
  CleanUpList(read.Elements);
  if (read.Elements.empty()) return Fail(ctx, kName, kNoValidTextData);

  TProject project;
  ResetProject(project, TLanguage::English, false);
  TBoard& board = *project.Active();
  // Grow the board so that elements further right or down stay on it, up to
  // the largest board.
  const TImportBoardSize size = ImportBoardSize(read, board.Platine);
  if (!size.Error.empty()) return Fail(ctx, kName, size.Error);
  if (size.Width != board.Platine.Width || size.Height != board.Platine.Height)
    board.Platine = NewPlatine(size.Width, size.Height, false);
  board.Elements = std::move(read.Elements);

  // Saving drops what lies wholly outside the board; say so instead of
  // losing it silently.
  if (const size_t outside = RemoveElementsOutsideBoard(board); outside > 0)
    ctx.err << "boardsmith-cli " << kName << ": " << outside
            << " element(s) lie wholly left of or above the board and were left out\n";
  if (board.Elements.empty()) return Fail(ctx, kName, "no element lies on the board; nothing written");

  const size_t written = board.Elements.size();
  if (const TWriteResult w = WriteProject(project, out); !w.Ok) return Fail(ctx, kName, w.Error);
  ctx.out << written << " element(s) written to " << out << "\n";
  return 0;
}

int Paste(const TArgs& a, TContext& ctx) {
  const std::string& in = a.Positional()[1];
  const std::string& file = a.Positional()[2];
  const std::string& out = a.Positional()[3];
  double x = 0, y = 0;
  if (std::string e = PointOption(a, "--at", x, y); !e.empty()) return UsageError(ctx, kName, e);
  if (!MayWrite(ctx, kName, out, a.Has("--force"))) return 1;

  TProject project;
  int code = 0;
  TBoard* board = LoadBoard(ctx, kName, a, file, project, code);
  if (!board) return code;

  const TFileBytes bytes = ReadRegularFile(in);
  if (!bytes.Ok()) return Fail(ctx, kName, ReadFaultMessage(bytes, in));
  TTextImportDefaults defaults;
  defaults.ActiveLayer = uint8_t(board->Platine.ActiveLayer);
  defaults.TrackWidth = kImportTrackWidth;
  defaults.ZoneClearance = kImportZoneClearance;
  const TTextPaste read = ReadTextForPaste(
      std::string_view(reinterpret_cast<const char*>(bytes.Bytes.data()), bytes.Bytes.size()), defaults);
  if (!read.Error.empty()) return Fail(ctx, kName, read.Error);

  // The editor's paste: the elements follow the pointer by their reference
  // point, and a click places copies of them.
  const TEditResult placed = PasteImported(project, read.Elements, {x, y});
  if (!placed.Done()) return Fail(ctx, kName, placed.Message.empty() ? "nothing was placed" : placed.Message);
  if (const TWriteResult w = WriteProject(project, out); !w.Ok) return Fail(ctx, kName, w.Error);
  ctx.out << read.Elements.size() << " element(s) pasted, " << out << " written\n";
  return 0;
}

int RunTextio(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Option("--board").Option("--at").Flag("--selected").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, kName, e);
  const auto& pos = a.Positional();
  if (pos.empty()) return UsageError(ctx, kName, "export, import or paste expected");
  const std::string& mode = pos[0];
  if (mode == "paste") {
    if (pos.size() != 4) return UsageError(ctx, kName, "paste needs IN.txt, FILE and OUT.bsm6");
    if (a.Has("--selected")) return UsageError(ctx, kName, "--selected applies to export only");
    return Paste(a, ctx);
  }
  if (a.Value("--at")) return UsageError(ctx, kName, "--at applies to paste only");
  if (mode != "export" && mode != "import")
    return UsageError(ctx, kName, "export, import or paste expected, not \"" + mode + "\"");
  if (pos.size() < 3)
    return UsageError(ctx, kName,
                      mode == "export" ? "export needs FILE and OUT.txt" : "import needs IN.txt and OUT.bsm6");
  if (pos.size() > 3) return UsageError(ctx, kName, "unexpected argument " + pos[3]);
  if (mode == "import") {
    if (a.Value("--board")) return UsageError(ctx, kName, "--board applies to export and paste only");
    if (a.Has("--selected")) return UsageError(ctx, kName, "--selected applies to export only");
    return Import(a, ctx);
  }
  return Export(a, ctx);
}
}  // namespace

TSubcommand TextioCommand() {
  return {kName, "export a board's elements as text records, import them into a new project or paste them onto a board",
          kUsage, RunTextio};
}

}  // namespace bs::cli
