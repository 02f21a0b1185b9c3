// "gerber", "excellon" and "drills": the manufacturing output of a board.
#include <filesystem>
#include <ostream>
#include <sstream>
#include <vector>

#include "args.h"
#include "cam/excellon.h"
#include "cam/gerber.h"
#include "load.h"
#include "model/messages.h"

namespace bs::cli {

namespace {
namespace fs = std::filesystem;

const char* const kGerberUsage =
    "Usage: boardsmith-cli gerber FILE [--board N] --out DIR [--prefix P]\n"
    "           [--layers c1,c2,s1,s2,i1,i2,o,mask1,mask2,smd1,smd2] [--frame] [--mirror]\n"
    "           [--punch [--center-punch]] [--no-origin] [--names default|common] [--force]\n\n"
    "Writes one extended Gerber (RS-274X) file per output of a board into DIR,\n"
    "named prefix + the output's ending (\"_Ф1_верх.gbr\" for c1 ...), and lists them.\n"
    "Without --layers every output that has something on it is written. Nothing is\n"
    "written when one of the files exists, unless --force.\n\n"
    "Options:\n"
    "  --board N       board index from 0 (default: the file's active board)\n"
    "  --out DIR       the output folder (must exist)\n"
    "  --prefix P      the file-name prefix (default: FILE's name without extension)\n"
    "  --layers LIST   outputs: c1 c2 (copper), s1 s2 (silkscreen), i1 i2 (inner\n"
    "                  copper), o (outline), mask1 mask2 (solder mask), smd1 smd2\n"
    "                  (SMD paste mask)\n"
    "  --frame         draw the board rectangle with a 0.002 mm pen into every file\n"
    "  --mirror        mirror X\n"
    "  --punch         punch the drill holes out of the copper files\n"
    "  --center-punch  punch only 0.3 mm centre marks (with --punch)\n"
    "  --no-origin     coordinates from the board's lower-left corner instead of\n"
    "                  its zero point\n"
    "  --names N       file-name endings: default, or common (the endings board\n"
    "                  houses expect: .GTL .GBL copper, .GTO .GBO silkscreen,\n"
    "                  .G1 .G2 inner copper, .GKO outline, .GTS .GBS solder mask,\n"
    "                  .GTP .GBP SMD paste)\n"
    "  --force         replace existing files\n";

const char* const kExcellonUsage =
    "Usage: boardsmith-cli excellon FILE [--board N] OUT.drl [--format mm32|mm33|inch24]\n"
    "           [--no-leading-zeros] [--decimal-point] [--m71] [--mirror gerber|hpgl]\n"
    "           [--plated-only|--unplated-only] [--no-comments] [--no-g90] [--no-origin]\n"
    "           [--force]\n\n"
    "Writes the drill holes of a board as an Excellon drill file: one tool per\n"
    "diameter, coinciding holes once, each tool's holes in nearest-neighbour order.\n"
    "Drilled pads on a silkscreen layer are reported and left out.\n\n"
    "Options:\n"
    "  --board N             board index from 0 (default: the file's active board)\n"
    "  --format F            mm32 (mm, 3.2), mm33 (mm, 3.3) or inch24 (inch, 2.4; default)\n"
    "  --no-leading-zeros    numbers without leading zeros\n"
    "  --decimal-point       numbers with a decimal point\n"
    "  --m71                 M71/M72 instead of METRIC/INCH\n"
    "  --mirror gerber|hpgl  drill from the bottom: X mirrored like the Gerber files,\n"
    "                        or about the extent of the layout like the milling files\n"
    "  --plated-only         only through-holes (vias)\n"
    "  --unplated-only       only simple drillings\n"
    "  --no-comments         no comment lines\n"
    "  --no-g90              no G90 line\n"
    "  --no-origin           coordinates from the board's lower-left corner\n"
    "  --force               replace OUT when it exists\n";

const char* const kDrillsUsage =
    "Usage: boardsmith-cli drills FILE [--board N] [--mil] [--plated-only|--unplated-only]\n\n"
    "Prints how many holes of each drill diameter a board has, as the drill list\n"
    "window shows it.\n\n"
    "Options:\n"
    "  --board N         board index from 0 (default: the file's active board)\n"
    "  --mil             diameters in mil instead of millimetres\n"
    "  --plated-only     only through-holes (vias)\n"
    "  --unplated-only   only simple drillings\n";

// The hole choice of --plated-only / --unplated-only: simple, plated.
bool HoleChoice(TContext& ctx, const std::string& cmd, const TArgs& a, bool& simple, bool& plated) {
  if (a.Has("--plated-only") && a.Has("--unplated-only")) {
    UsageError(ctx, cmd, "give either --plated-only or --unplated-only");
    return false;
  }
  simple = !a.Has("--plated-only");
  plated = !a.Has("--unplated-only");
  return true;
}

// Loads the board of the first positional argument and builds its drill
// list with the hole choice of the options, after reporting drilled pads on
// a silkscreen layer. Returns the board, or nullptr with the exit code.
TBoard* LoadDrillList(TContext& ctx, const std::string& cmd, const TArgs& a, TProject& p, TDrillList& list, int& code) {
  bool simple = true, plated = true;
  if (!HoleChoice(ctx, cmd, a, simple, plated)) {
    code = 2;
    return nullptr;
  }
  TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!b) return nullptr;
  if (int n = CountSilkscreenDrillings(b->Elements))
    ctx.err << FormatMessage(kSilkscreenDrillings, {std::to_string(n)}) << "\n";
  list = BuildDrillList(*b, simple, plated, false, false, false);
  return b;
}

int RunGerber(const std::vector<std::string>& args, TContext& ctx) {
  const std::string cmd = "gerber";
  TArgs a;
  a.Option("--board")
      .Option("--out")
      .Option("--prefix")
      .Option("--layers")
      .Option("--names")
      .Flag("--frame")
      .Flag("--mirror")
      .Flag("--punch")
      .Flag("--center-punch")
      .Flag("--no-origin")
      .Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one FILE");
  const auto dir = a.Value("--out");
  if (!dir || dir->empty()) return UsageError(ctx, cmd, "--out DIR is required");
  if (a.Has("--center-punch") && !a.Has("--punch")) return UsageError(ctx, cmd, "--center-punch needs --punch");

  const std::string names = a.Value("--names").value_or("default");
  if (names != "default" && names != "common")
    return UsageError(ctx, cmd, "--names must be default or common, not '" + names + "'");

  std::vector<bool> wanted(kGerberOutputCount, false);
  const bool explicitLayers = a.Has("--layers");
  if (explicitLayers) {
    std::stringstream list(*a.Value("--layers"));
    std::string item;
    while (std::getline(list, item, ',')) {
      int row = -1;
      for (int i = 0; i < kGerberOutputCount; ++i)
        if (item == kGerberOutputs[size_t(i)].ShortName) row = i;
      if (row < 0) return UsageError(ctx, cmd, "unknown output '" + item + "' in --layers");
      wanted[size_t(row)] = true;
    }
  }

  const std::string& in = a.Positional()[0];
  TProject p;
  int code = 0;
  TBoard* b = LoadBoard(ctx, cmd, a, in, p, code);
  if (!b) return code;
  std::error_code ec;
  if (!fs::is_directory(*dir, ec)) return Fail(ctx, cmd, "The directory: \"" + *dir + "\" does not exist.");

  const std::string prefix = a.Value("--prefix").value_or(fs::path(in).stem().string());
  const bool commonNames = names == "common";
  std::vector<int> rows;
  std::vector<std::string> paths;
  for (int i = 0; i < kGerberOutputCount; ++i) {
    if (explicitLayers ? !wanted[size_t(i)] : !GerberOutputAvailable(*b, i)) continue;
    rows.push_back(i);
    const TGerberOutput& out = kGerberOutputs[size_t(i)];
    paths.push_back((fs::path(*dir) / (prefix + (commonNames ? out.CommonEnding : out.DefaultEnding))).string());
  }
  if (rows.empty()) return Fail(ctx, cmd, "the board has nothing to write");
  // Refuse before anything is written, so that a run writes all its files
  // or none.
  for (const std::string& path : paths)
    if (!MayWrite(ctx, cmd, path, a.Has("--force"))) return 1;

  TGerberOptions opt;
  opt.Frame = a.Has("--frame");
  opt.Mirror = a.Has("--mirror");
  opt.UseOrigin = !a.Has("--no-origin");
  opt.PunchHoles = a.Has("--punch");
  opt.CentrePunch = a.Has("--center-punch");
  // A position beyond the number format refuses the run before any file is
  // written.
  std::vector<TGerberFile> files(rows.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    WriteGerberOutput(files[k], *b, rows[k], opt);
    files[k].FileName = paths[k];
    if (std::string e = files[k].CoordinateError(); !e.empty()) return Fail(ctx, cmd, e);
  }
  int created = 0;
  for (size_t k = 0; k < rows.size(); ++k) {
    if (std::string e = files[k].EndFile(); !e.empty()) {
      ctx.out << created << " files created.\n";
      return Fail(ctx, cmd, e);
    }
    ctx.out << "-> " << paths[k] << "\n";
    ++created;
  }
  ctx.out << created << " files created.\n";
  return 0;
}

int RunExcellon(const std::vector<std::string>& args, TContext& ctx) {
  const std::string cmd = "excellon";
  TArgs a;
  a.Option("--board")
      .Option("--format")
      .Flag("--no-leading-zeros")
      .Flag("--decimal-point")
      .Flag("--m71")
      .Option("--mirror")
      .Flag("--plated-only")
      .Flag("--unplated-only")
      .Flag("--no-comments")
      .Flag("--no-g90")
      .Flag("--no-origin")
      .Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 2) return UsageError(ctx, cmd, "expects FILE and OUT.drl");
  TExcellonOptions opt;
  if (auto f = a.Value("--format")) {
    if (*f == "mm32") opt.Format = TExcellonFormat::Mm32;
    else if (*f == "mm33") opt.Format = TExcellonFormat::Mm33;
    else if (*f == "inch24") opt.Format = TExcellonFormat::Inch24;
    else return UsageError(ctx, cmd, "--format needs mm32, mm33 or inch24");
  }
  if (auto m = a.Value("--mirror")) {
    if (*m == "gerber") opt.Mirror = TExcellonMirror::Gerber;
    else if (*m == "hpgl") opt.Mirror = TExcellonMirror::Hpgl;
    else return UsageError(ctx, cmd, "--mirror needs gerber or hpgl");
  }
  opt.DeleteLeadingZeros = a.Has("--no-leading-zeros");
  opt.DecimalPoint = a.Has("--decimal-point");
  opt.M71 = a.Has("--m71");
  opt.NoComments = a.Has("--no-comments");
  opt.NoG90 = a.Has("--no-g90");
  opt.UseOrigin = !a.Has("--no-origin");
  const std::string& out = a.Positional()[1];
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;

  TProject p;
  TDrillList list;
  int code = 0;
  const TBoard* b = LoadDrillList(ctx, cmd, a, p, list, code);
  if (!b) return code;
  if (std::string e = WriteExcellonFile(out, *b, list, opt); !e.empty()) return Fail(ctx, cmd, e);
  size_t holes = 0;
  for (const TDrillTool& t : list) holes += t.Holes.size();
  ctx.out << holes << " hole(s) in " << list.size() << " tool(s) written to " << out << "\n";
  return 0;
}

int RunDrills(const std::vector<std::string>& args, TContext& ctx) {
  const std::string cmd = "drills";
  TArgs a;
  a.Option("--board").Flag("--mil").Flag("--plated-only").Flag("--unplated-only");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one FILE");
  TProject p;
  TDrillList list;
  int code = 0;
  if (!LoadDrillList(ctx, cmd, a, p, list, code)) return code;
  ctx.out << DrillListText(list, a.Has("--mil") ? TDisplayUnit::Mil : TDisplayUnit::Mm, TLanguage::English);
  return 0;
}
}  // namespace

TSubcommand GerberCommand() { return {"gerber", "write the Gerber files of a board", kGerberUsage, RunGerber}; }
TSubcommand ExcellonCommand() {
  return {"excellon", "write the Excellon drill file of a board", kExcellonUsage, RunExcellon};
}
TSubcommand DrillsCommand() {
  return {"drills", "list the drill diameters of a board and their holes", kDrillsUsage, RunDrills};
}

}  // namespace bs::cli
