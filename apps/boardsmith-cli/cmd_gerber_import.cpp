// "gerber-read", "drill-read" and "gerber-import": Gerber and Excellon files
// read back into elements, one file at a time or a whole set into a board.
#include <filesystem>
#include <ostream>
#include <sstream>

#include "args.h"
#include "import/gerber_run.h"
#include "json.h"
#include "load.h"
#include "model/atomic_file.h"
#include "model/geometry.h"
#include "model/read_file.h"

namespace bs::cli {

namespace {
const char* const kGerberReadUsage =
    "Usage: boardsmith-cli gerber-read FILE [--json]\n\n"
    "Reads one Gerber (RS-274X) file as the import's preview does and prints its\n"
    "format, unit, the elements it makes by kind, the constructs skipped and the\n"
    "errors with their line numbers. Coordinates stay those of the file.\n\n"
    "Options:\n"
    "  --json  machine-readable output\n";

const char* const kDrillReadUsage =
    "Usage: boardsmith-cli drill-read FILE [FILE ...] [--drill-unit auto|mm|inch]\n"
    "           [--drill-zeros auto|fixed|leading|trailing|decimal] [--drill-digits I.D] [--json]\n\n"
    "Reads Excellon drill files and prints, per file, the unit and number format\n"
    "(declared or guessed), the tools and the holes and slots in file coordinates.\n\n"
    "Options:\n"
    "  --drill-unit U    unit of coordinates and tools (default: auto)\n"
    "  --drill-zeros Z   how zeros are left out (default: auto)\n"
    "  --drill-digits I.D  integer and decimal digits (default: from the file)\n"
    "  --json            machine-readable output with every hole\n";

const char* const kImportUsage =
    "Usage: boardsmith-cli gerber-import OUT.bsm6 [--c1 F] [--s1 F] [--c2 F] [--s2 F]\n"
    "           [--i1 F] [--i2 F] [--o F] [--drill F ...] [--drill-unit auto|mm|inch]\n"
    "           [--drill-zeros auto|fixed|leading|trailing|decimal] [--drill-digits I.D]\n"
    "           [--no-vias] [--no-join] [--into PROJECT.bsm6 [--board N]]\n"
    "           [--continue-invalid] [--json] [--force]\n\n"
    "Imports Gerber files (one per layer) and drill files into a board as the\n"
    "editor's Gerber import does: flashes become pads, draws tracks, arcs arcs and\n"
    "regions zones; holes drill the pads they meet; connected tracks are joined;\n"
    "the board is sized around the result. Writes a project with the board\n"
    "\"XGerber\", or with --into the given project with the board added (or with\n"
    "--board, that board emptied and refilled).\n\n"
    "Options:\n"
    "  --c1 F ... --o F    the Gerber file of a layer: c1 c2 copper, s1 s2\n"
    "                      silkscreen, i1 i2 inner copper, o outline\n"
    "  --drill F           a drill file (may be given several times)\n"
    "  --drill-unit U      unit of the drill files (default: auto)\n"
    "  --drill-zeros Z     how zeros are left out (default: auto)\n"
    "  --drill-digits I.D  integer and decimal digits (default: from the file)\n"
    "  --no-vias           keep pads on both sides apart instead of making vias\n"
    "  --no-join           do not join connected tracks\n"
    "  --into P            import into a copy of project P (written to OUT)\n"
    "  --board N           with --into: the board (index from 0) to empty and use\n"
    "  --continue-invalid  import files without a format statement or tool table\n"
    "  --json              machine-readable report\n"
    "  --force             replace OUT when it exists\n";

// The drill options shared by drill-read and gerber-import.
std::string DrillOptions(const TArgs& a, TDrillSettings& s) {
  if (auto u = a.Value("--drill-unit")) {
    if (*u == "mm") s.Unit = TDrillUnit::Mm;
    else if (*u == "inch") s.Unit = TDrillUnit::Inch;
    else if (*u != "auto") return "--drill-unit expects auto, mm or inch";
  }
  if (auto z = a.Value("--drill-zeros")) {
    if (*z == "fixed") s.Zeros = TDrillZeros::Fixed;
    else if (*z == "leading") s.Zeros = TDrillZeros::Leading;
    else if (*z == "trailing") s.Zeros = TDrillZeros::Trailing;
    else if (*z == "decimal") s.Zeros = TDrillZeros::Decimal;
    else if (*z != "auto") return "--drill-zeros expects auto, fixed, leading, trailing or decimal";
  }
  if (auto d = a.Value("--drill-digits")) {
    if (d->size() != 3 || !std::isdigit((unsigned char)(*d)[0]) || (*d)[1] != '.' ||
        !std::isdigit((unsigned char)(*d)[2]))
      return "--drill-digits expects I.D, two digits from 0 to 9 such as 2.4";
    s.IntDigits = (*d)[0] - '0';
    s.DecDigits = (*d)[2] - '0';
  }
  return {};
}

void Messages(std::ostream& out, const std::vector<TImportMessage>& m, size_t count) {
  for (const TImportMessage& e : m)
    out << "  " << (e.Line > 0 ? "line " + std::to_string(e.Line) + ": " : std::string()) << e.Text << "\n";
  if (count > m.size()) out << "  ... and " << count - m.size() << " more\n";
}

void JsonMessages(TJson& j, const std::vector<TImportMessage>& m, size_t count) {
  j.Key("error_count").Int((long long)count);
  j.Key("errors").BeginArray();
  for (const TImportMessage& e : m) j.BeginObject().Key("line").Int(e.Line).Key("text").String(e.Text).EndObject();
  j.EndArray();
}

void GerberText(std::ostream& out, const TGerberReport& r) {
  out << r.Name << ": ";
  if (!r.Refused.empty()) {
    out << "refused: " << r.Refused << "\n";
    return;
  }
  out << (r.HasFormat ? "" : "no format statement, ") << (r.Mm ? "mm" : "inch") << ", "
      << (r.TrailingZeros ? "trailing" : "leading") << " zeros omitted, X " << r.IntX << "." << r.DecX << ", Y "
      << r.IntY << "." << r.DecY << "\n";
  out << "  " << r.Tracks << " tracks, " << r.Arcs << " arcs, " << r.Circles << " filled circles, " << r.ThtPads
      << " THT pads (" << r.Octagons << " octagons), " << r.SmdPads << " SMD pads, " << r.Zones << " zones\n";
  if (r.ClearCuts || r.ClearDropped)
    out << "  clear polarity: " << r.ClearCuts << " cut into copper, " << r.ClearDropped << " cut nothing\n";
  if (r.GroundPlane) out << "  ground plane\n";
  if (r.StepRepeats) out << "  " << r.StepRepeats << " elements from step and repeat\n";
  if (r.Unsupported) out << "  " << r.Unsupported << " commands not understood\n";
  Messages(out, r.Errors, r.ErrorCount);
}

void GerberJson(TJson& j, const TGerberReport& r) {
  j.BeginObject();
  j.Key("file").String(r.Name);
  j.Key("read").Bool(r.Refused.empty());
  if (!r.Refused.empty()) j.Key("refused").String(r.Refused);
  j.Key("valid").Bool(r.HasFormat);
  j.Key("unit").String(r.Mm ? "mm" : "inch");
  j.Key("zeros_omitted").String(r.TrailingZeros ? "trailing" : "leading");
  j.Key("format").String(std::to_string(r.IntX) + "." + std::to_string(r.DecX) + "/" + std::to_string(r.IntY) + "." +
                         std::to_string(r.DecY));
  j.Key("elements").BeginObject();
  j.Key("tracks").Int((long long)r.Tracks).Key("arcs").Int((long long)r.Arcs);
  j.Key("filled_circles").Int((long long)r.Circles).Key("tht_pads").Int((long long)r.ThtPads);
  j.Key("octagons").Int((long long)r.Octagons).Key("smd_pads").Int((long long)r.SmdPads);
  j.Key("zones").Int((long long)r.Zones);
  j.EndObject();
  j.Key("clear_cuts").Int((long long)r.ClearCuts).Key("clear_dropped").Int((long long)r.ClearDropped);
  j.Key("ground_plane").Bool(r.GroundPlane);
  j.Key("step_repeat_copies").Int((long long)r.StepRepeats);
  j.Key("unsupported").Int((long long)r.Unsupported);
  JsonMessages(j, r.Errors, r.ErrorCount);
  j.EndObject();
}

const char* UnitName(TDrillUnit u) { return u == TDrillUnit::Mm ? "mm" : "inch"; }

void DrillText(std::ostream& out, const TDrillReport& r, bool applied) {
  out << r.Name << ": ";
  if (!r.Refused.empty()) {
    out << "refused: " << r.Refused << "\n";
    return;
  }
  out << UnitName(r.Unit) << ", " << DrillZerosName(r.Zeros) << " (" << r.FormatSource << "), " << r.IntDigits << "."
      << r.DecDigits << " digits" << (r.HasTools ? "" : ", no tool table") << "\n";
  for (const auto& [n, d] : r.Tools) out << "  T" << n << " " << UnitsAsMillimetres(int64_t(d)) << " mm\n";
  out << "  " << r.Holes.size() - r.Slots << " holes, " << r.Slots << " slots";
  if (r.RoutMoves) out << ", " << r.RoutMoves << " rout moves";
  if (r.Skipped) out << ", " << r.Skipped << " skipped";
  out << "\n";
  if (applied)
    out << "  " << r.PadsDrilled << " pads drilled, " << r.TracksToPads << " tracks made pads, " << r.NewHoles
        << " new holes, " << r.Vias << " vias, " << r.SlotTracks << " slots on the outline layer\n";
  Messages(out, r.Errors, r.ErrorCount);
}

void DrillJson(TJson& j, const TDrillReport& r, bool applied, bool holes) {
  j.BeginObject();
  j.Key("file").String(r.Name);
  j.Key("read").Bool(r.Refused.empty());
  if (!r.Refused.empty()) j.Key("refused").String(r.Refused);
  j.Key("valid").Bool(r.HasTools);
  j.Key("unit").String(UnitName(r.Unit));
  j.Key("zeros").String(DrillZerosName(r.Zeros));
  j.Key("format_source").String(r.FormatSource);
  j.Key("digits").String(std::to_string(r.IntDigits) + "." + std::to_string(r.DecDigits));
  j.Key("tools").BeginArray();
  for (const auto& [n, d] : r.Tools) j.BeginObject().Key("tool").Int(n).Key("diameter_mm").Double(d / 1e4).EndObject();
  j.EndArray();
  j.Key("hole_count").Int((long long)(r.Holes.size() - r.Slots));
  j.Key("slot_count").Int((long long)r.Slots);
  j.Key("rout_moves").Int((long long)r.RoutMoves);
  j.Key("skipped").Int((long long)r.Skipped);
  if (applied) {
    j.Key("pads_drilled").Int((long long)r.PadsDrilled).Key("tracks_to_pads").Int((long long)r.TracksToPads);
    j.Key("new_holes").Int((long long)r.NewHoles).Key("vias").Int((long long)r.Vias);
    j.Key("slot_tracks").Int((long long)r.SlotTracks);
  }
  if (holes) {
    j.Key("holes").BeginArray();
    for (const TDrillHole& h : r.Holes) {
      j.BeginObject().Key("x_mm").Double(h.At.X / 1e4).Key("y_mm").Double(h.At.Y / 1e4);
      j.Key("diameter_mm").Double(h.Diameter / 1e4).Key("tool").Int(h.Tool);
      if (h.Slot) j.Key("x2_mm").Double(h.End.X / 1e4).Key("y2_mm").Double(h.End.Y / 1e4);
      j.EndObject();
    }
    j.EndArray();
  }
  JsonMessages(j, r.Errors, r.ErrorCount);
  j.EndObject();
}

bool ReadText(TContext& ctx, const std::string& cmd, const std::string& path, size_t limit, std::string& text) {
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec && size >= limit) {
    Fail(ctx, cmd,
         "the file " + path + " is too large (" + std::to_string(size) + " bytes; the limit is " +
             std::to_string(limit) + ")");
    return false;
  }
  const TFileBytes r = ReadRegularFile(path, limit);
  if (!r.Ok()) {
    Fail(ctx, cmd, ReadFaultMessage(r, path));
    return false;
  }
  text.assign(r.Bytes.begin(), r.Bytes.end());
  return true;
}

int RunGerberRead(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "gerber-read";
  TArgs a;
  a.Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one FILE");
  std::string text;
  if (!ReadText(ctx, cmd, a.Positional()[0], kGerberMaxBytes, text)) return 1;
  TObjektList list;
  const TGerberReport r = ReadGerberText(text, a.Positional()[0], kLayerC1, list);
  if (a.Has("--json")) {
    TJson j(ctx.out);
    GerberJson(j, r);
    ctx.out << "\n";
  } else {
    GerberText(ctx.out, r);
  }
  return 0;
}

int RunDrillRead(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "drill-read";
  TArgs a;
  a.Flag("--json").Option("--drill-unit").Option("--drill-zeros").Option("--drill-digits");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().empty()) return UsageError(ctx, cmd, "expects at least one FILE");
  TDrillSettings s;
  if (std::string e = DrillOptions(a, s); !e.empty()) return UsageError(ctx, cmd, e);
  std::vector<TDrillReport> reps;
  for (const std::string& f : a.Positional()) {
    std::string text;
    if (!ReadText(ctx, cmd, f, kDrillMaxBytes, text)) return 1;
    reps.push_back(ReadDrillText(text, f, s));
  }
  if (a.Has("--json")) {
    TJson j(ctx.out);
    j.BeginArray();
    for (const TDrillReport& r : reps) DrillJson(j, r, false, true);
    j.EndArray();
    ctx.out << "\n";
  } else {
    for (const TDrillReport& r : reps) DrillText(ctx.out, r, false);
  }
  return 0;
}

const char* const kLayerOptions[] = {nullptr, "--c1", "--s1", "--c2", "--s2", "--i1", "--i2", "--o"};

int RunImportCommand(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "gerber-import";
  TArgs a;
  for (int l = 1; l <= kLayerCount; ++l) a.Option(kLayerOptions[l]);
  a.Repeated("--drill").Option("--drill-unit").Option("--drill-zeros").Option("--drill-digits");
  a.Flag("--no-vias").Flag("--no-join").Option("--into").Option("--board").Flag("--continue-invalid");
  a.Flag("--json").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one OUT.bsm6");
  TGerberImportRequest req;
  if (std::string e = DrillOptions(a, req.Drill); !e.empty()) return UsageError(ctx, cmd, e);
  req.Drill.CreateVias = !a.Has("--no-vias");
  req.JoinTracks = !a.Has("--no-join");
  bool any = false;
  for (int l = 1; l <= kLayerCount; ++l)
    if (auto f = a.Value(kLayerOptions[l])) {
      req.Files[size_t(l)] = *f;
      any = true;
    }
  req.DrillFiles = a.Values("--drill");
  if (!any && req.DrillFiles.empty()) return UsageError(ctx, cmd, "names no file to import");
  if (a.Has("--board") && !a.Has("--into")) return UsageError(ctx, cmd, "--board needs --into");
  long long board = -1;
  if (std::string e = a.IntValue("--board", 0, 1LL << 30, board); !e.empty()) return UsageError(ctx, cmd, e);
  const std::string& out = a.Positional()[0];
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;

  // The checks the import window makes before it starts, file by file.
  const bool lenient = a.Has("--continue-invalid");
  for (int l = 1; l <= kLayerCount; ++l) {
    const std::string& f = req.Files[size_t(l)];
    if (f.empty()) continue;
    std::string text;
    if (!ReadText(ctx, cmd, f, kGerberMaxBytes, text)) return 1;
    if (!LooksLikeGerber(text) && !lenient)
      return Fail(ctx, cmd, "the file " + f + " seems not to be a valid Gerber file (use --continue-invalid)");
  }
  for (const std::string& f : req.DrillFiles) {
    std::string text;
    if (!ReadText(ctx, cmd, f, kDrillMaxBytes, text)) return 1;
    if (!IsDrillFile(text) && !lenient)
      return Fail(ctx, cmd, "the file " + f + " seems not to be a valid Excellon file (use --continue-invalid)");
  }

  TProject p;
  if (auto into = a.Value("--into")) {
    int version = 0;
    if (!LoadProject(ctx, cmd, *into, p, version)) return 1;
    if (board >= 0) {
      if (board >= static_cast<long long>(p.Boards.size()))
        return Fail(ctx, cmd, "there is no board " + std::to_string(board));
      SwitchBoard(p, int(board));
      req.NewBoard = false;
    }
  }
  const TGerberImportResult res = RunGerberImport(p, req);
  if (!WriteFileAtomically(out, EncodeProject(p)))
    return Fail(ctx, cmd, "The file \"" + out + "\" can not be written.");

  if (a.Has("--json")) {
    TJson j(ctx.out);
    j.BeginObject();
    j.Key("gerber").BeginArray();
    for (size_t i = 0; i < res.Gerber.size(); ++i) GerberJson(j, res.Gerber[i]);
    j.EndArray();
    j.Key("drill").BeginArray();
    for (const TDrillReport& r : res.Drill) DrillJson(j, r, true, false);
    j.EndArray();
    j.Key("joined").Int((long long)res.Joined);
    j.Key("elements").Int((long long)res.Elements);
    j.Key("empty").Bool(res.Empty);
    j.Key("shift_mm").BeginArray().Double(res.Shift.X / 1e4).Double(res.Shift.Y / 1e4).EndArray();
    j.Key("output").String(out);
    j.EndObject();
    ctx.out << "\n";
  } else {
    for (const TGerberReport& r : res.Gerber) GerberText(ctx.out, r);
    for (const TDrillReport& r : res.Drill) DrillText(ctx.out, r, true);
    if (res.Empty) {
      ctx.out << kNothingImported << "\n";
    } else {
      ctx.out << res.Joined << " elements joined into others; " << res.Elements << " elements\n";
      ctx.out << "moved by " << UnitsAsMillimetres(int64_t(res.Shift.X)) << ", "
              << UnitsAsMillimetres(int64_t(res.Shift.Y)) << " mm to fit the board\n";
    }
    ctx.out << "written to " << out << "\n";
  }
  return 0;
}
}  // namespace

TSubcommand GerberReadCommand() {
  return {"gerber-read", "read one Gerber file and report what it holds", kGerberReadUsage, RunGerberRead};
}
TSubcommand DrillReadCommand() {
  return {"drill-read", "read Excellon drill files and report their tools and holes", kDrillReadUsage, RunDrillRead};
}
TSubcommand GerberImportCommand() {
  return {"gerber-import", "import Gerber and drill files into a board", kImportUsage, RunImportCommand};
}

}  // namespace bs::cli
