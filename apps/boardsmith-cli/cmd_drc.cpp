// "drc": the design rule check of a board, its findings listed and, when
// asked, drawn hatched over a picture of the board.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>

#include "args.h"
#include "checks/drc.h"
#include "checks/drc_draw.h"
#include "json.h"
#include "load.h"
#include "model/layers.h"
#include "model/messages.h"
#include "render/painter.h"
#include "render/png.h"
#include "render/raster_surface.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli drc FILE [--board N] [--window X0,Y0,X1,Y1] [--rules INI]\n"
    "           [--set NAME=VALUE ...] [--json] [--png OUT.png [--force]]\n\n"
    "Runs the design rule check on a board as the editor's DRC panel does and\n"
    "lists the findings (kind, layer, marker rectangle, text) and their number.\n"
    "The whole board is checked unless --window names a part of it. The exit\n"
    "status is 0 without findings, 3 with findings, 1 or 2 on an error.\n\n"
    "Options:\n"
    "  --board N          board index from 0 (default: the file's active board)\n"
    "  --window X0,Y0,X1,Y1\n"
    "                     check only the elements reaching into this rectangle and\n"
    "                     keep only findings in it (units of 0.1 um as stored; y is\n"
    "                     negative on the board)\n"
    "  --rules INI        read the rules from the [DRC] section of a settings file\n"
    "                     (missing keys keep their defaults)\n"
    "  --set NAME=VALUE   change one rule (after --rules); may be repeated. NAME is a\n"
    "                     key of the [DRC] section. Switches (Kupfer, Bohrungen,\n"
    "                     BohrMin, BohrMax, TrackMin, RingMin, BestMin, SilkOnPad,\n"
    "                     HoleOnSMD, PadOhneLS, LSFremd) take true or false (1 or 0).\n"
    "                     Limits (WKupfer, WBohrungen, WBohrMin, WBohrMax, WTrackMin,\n"
    "                     WRingMin, WBestMin) take whole units from 0 to 999900, or\n"
    "                     millimetres with \"mm\" (WKupfer=0.2mm)\n"
    "  --json             print {\"count\": n, \"findings\": [...]}; markers and outline\n"
    "                     points in units, elements as list indices\n"
    "  --png OUT.png      also write the board as \"render\" draws it, with the findings\n"
    "                     hatched in the colour of the outline layer\n"
    "  --force            replace OUT.png when it exists\n";

// Applies "NAME=VALUE"; an error message, or "" when it fits.
std::string SetRule(TDrcRules& rules, const std::string& item) {
  const size_t eq = item.find('=');
  if (eq == std::string::npos) return "--set needs NAME=VALUE, not \"" + item + "\"";
  const std::string name = item.substr(0, eq);
  std::string value = item.substr(eq + 1);
  const TDrcKey* key = FindDrcKey(name);
  if (!key) return "--set: there is no rule \"" + name + "\"";
  std::string lower = value;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (key->Flag) {
    if (lower == "true" || lower == "1") rules.*key->Flag = true;
    else if (lower == "false" || lower == "0") rules.*key->Flag = false;
    else return "--set: " + std::string(key->Name) + " takes true or false, not \"" + value + "\"";
    return {};
  }
  const std::string range = std::string(key->Name) + " takes whole units from 0 to " + std::to_string(kDrcMaxLength) +
                            " or millimetres with \"mm\", not \"" + value + "\"";
  long long units = 0;
  if (lower.size() > 2 && lower.compare(lower.size() - 2, 2, "mm") == 0) {
    double mm = 0;
    if (!ParseNumber(value.substr(0, value.size() - 2), mm) || mm < 0 || mm * kUnitsPerMm > kDrcMaxLength)
      return "--set: " + range;
    units = MmToUnits(mm);
  } else if (!ParseInt(value, 0, kDrcMaxLength, units)) {
    return "--set: " + range;
  }
  rules.*key->Length = int32_t(units);
  return {};
}

std::string LayerName(int layer) {
  const std::string_view s = LayerLabel(layer, TLanguage::English);
  return s.empty() ? std::to_string(layer) : std::string(s);
}

// The board as "render" draws it by default, with the findings hatched.
bool WritePicture(const std::string& path, const TBoard& b, const std::vector<TDrcFinding>& findings) {
  const TPlatine& r = b.Platine;
  const double zoom = 1600.0 / std::max({double(r.Width), double(r.Height), 1.0});
  const int width = int(std::lround(r.Width * zoom + 1)), height = int(std::lround(r.Height * zoom + 1));
  TPaintSettings set;
  TRasterSurface surface(std::max(width, 1), std::max(height, 1), true);
  surface.Clear(set.Scheme.Background());
  const TViewMap view{zoom, 0, 0};
  PaintBoard(surface, b, view, set);
  for (const TDrcFinding& f : findings) DrawDrcFinding(surface, f, view, set.Scheme.Layer(kLayerO));
  return WritePng(path, surface.Raster(), zoom * 1e7);
}

void PrintJson(std::ostream& out, const std::vector<TDrcFinding>& findings) {
  TJson j(out);
  j.BeginObject().Key("count").Int(static_cast<long long>(findings.size())).Key("findings").BeginArray();
  for (const TDrcFinding& f : findings) {
    j.BeginObject().Key("kind").Int(f.Kind).Key("layer").Int(f.Layer);
    j.Key("plane_gap").Bool(f.PlaneGap).Key("pad_without_mask").Bool(f.PadWithoutMask);
    j.Key("marker").BeginArray().Int(f.Marker.Left).Int(f.Marker.Top).Int(f.Marker.Right).Int(f.Marker.Bottom);
    j.EndArray();
    j.Key("elements").BeginArray();
    for (int32_t e : {f.First, f.Second})
      if (e >= 0) j.Int(e);
    j.EndArray();
    j.Key("outline").BeginArray();
    for (const TDrcOutline& o : f.Outline) {
      j.BeginArray();
      for (const TIPoint& p : o) j.BeginArray().Int(p.X).Int(p.Y).EndArray();
      j.EndArray();
    }
    j.EndArray();
    j.Key("text").String(DrcFindingText(f)).EndObject();
  }
  j.EndArray().EndObject();
  out << "\n";
}

int RunDrcCommand(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "drc";
  TArgs a;
  a.Option("--board")
      .Option("--window")
      .Option("--rules")
      .Repeated("--set")
      .Flag("--json")
      .Option("--png")
      .Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one FILE");
  std::optional<TURect> window;
  if (auto v = a.Value("--window")) {
    double c[4];
    size_t at = 0;
    for (int k = 0; k < 4; ++k) {
      const size_t comma = k < 3 ? v->find(',', at) : v->size();
      if (comma == std::string::npos || !ParseNumber(v->substr(at, comma - at), c[k]) || std::fabs(c[k]) > 2e9)
        return UsageError(ctx, cmd, "--window needs X0,Y0,X1,Y1 in units");
      at = comma + 1;
    }
    window = TURect{RoundInt(std::min(c[0], c[2])), RoundInt(std::min(c[1], c[3])), RoundInt(std::max(c[0], c[2])),
                    RoundInt(std::max(c[1], c[3]))};
  }
  TDrcRules rules;
  if (auto path = a.Value("--rules")) {
    TIniFile ini;
    if (!ini.Load(*path)) return Fail(ctx, cmd, FormatMessage(msg::kCannotRead, {*path}));
    rules = ReadDrcRules(ini);
  }
  for (const std::string& item : a.Values("--set"))
    if (std::string e = SetRule(rules, item); !e.empty()) return UsageError(ctx, cmd, e);
  const auto png = a.Value("--png");
  if (png && !MayWrite(ctx, cmd, *png, a.Has("--force"))) return 1;

  TProject p;
  int code = 0;
  const TBoard* loaded = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!loaded) return code;
  const TBoard& b = *loaded;
  const TDrcResult result = RunDrc(b, rules, window.value_or(DrcCompleteArea(b.Platine)));

  if (png && !WritePicture(*png, b, result.Findings)) return Fail(ctx, cmd, FormatMessage(msg::kCannotWrite, {*png}));
  if (a.Has("--json")) {
    PrintJson(ctx.out, result.Findings);
  } else {
    for (const TDrcFinding& f : result.Findings) {
      const TURect& m = f.Marker;
      ctx.out << int(f.Kind) << "  " << LayerName(f.Layer) << "  " << m.Left << "," << m.Top << "," << m.Right << ","
              << m.Bottom << "  " << DrcFindingText(f) << "\n";
    }
    ctx.out << DrcCountCaption(result.Findings.size()) << "\n";
  }
  return result.Findings.empty() ? 0 : 3;
}
}  // namespace

TSubcommand DrcCommand() {
  return {"drc", "run the design rule check on a board and list the findings", kUsage, RunDrcCommand};
}

}  // namespace bs::cli
