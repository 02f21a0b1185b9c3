// "dump": every element of a board as JSON, field by field.
#include <ostream>
#include <unordered_map>

#include "args.h"
#include "json.h"
#include "load.h"
#include "model/codepage.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli dump FILE [--board N] --json\n\n"
    "Prints every element of a board (or of a macro) with the fields of the\n"
    "element record, as JSON. Element references (connections, route ends)\n"
    "are element indices; -1 means none.\n\n"
    "Options:\n"
    "  --board N  board index from 0 (default: the file's active board)\n"
    "  --json     JSON output (the only format)\n";

using TIndex = std::unordered_map<const TObjekt*, int>;

void Element(TJson& j, const TObjekt& e, const TIndex& index) {
  const bool pad = IsPad(e), tht = e.Kind == kKindThtPad, text = e.Kind == kKindText;
  const bool circle = e.Kind == kKindCircle, zone = e.Kind == kKindZone, track = e.Kind == kKindTrack;
  auto ref = [&](const TObjekt* p) {
    auto it = p ? index.find(p) : index.end();
    return it == index.end() ? -1 : it->second;
  };
  j.BeginObject();
  j.Key("Kind").Int(e.Kind);
  j.Key("Pos").BeginArray().Float(e.Pos.X).Float(e.Pos.Y).EndArray();
  j.Key("SizeA").Float(e.SizeA).Key("SizeB").Float(e.SizeB);
  j.Key(circle ? "StopAngle" : text ? "Style" : "Width").Int(e.Width);
  j.Key("Selected").Int(e.Selected);
  j.Key("Layer").Int(e.Layer);
  j.Key(track ? "TrackEnds" : text ? "LabelRole" : "Shape").Int(e.Shape);
  j.Key("ComponentNo").Int(e.ComponentNo);
  if (pad) j.Key("ThermalSpokes").Int(e.ThermalSpokes);
  else j.Key("StartAngle").Int(e.StartAngle);
  j.Key("Groups").BeginArray();
  for (int32_t g : e.Groups) j.Int(g);
  j.EndArray();
  j.Key(circle ? "Fill" : tht ? "ThermalIndividual" : text ? "LabelVisible" : "Fill").Int(e.Fill);
  j.Key("Clearance").Int(e.Clearance);
  j.Key("Routed").Int(e.Routed);
  j.Key(zone ? "Hatch" : text ? "MirrorH" : "Thermal").Int(e.Thermal);
  j.Key(text ? "MirrorV" : "HatchAuto").Int(e.HatchAuto);
  j.Key("Cutout").Int(e.Cutout);
  j.Key(zone ? "HatchWidth" : text ? "Rotation" : "ThermalWidth").Int(e.ThermalWidth);
  j.Key("Via").Int(e.Via);
  j.Key("SolderMask").Int(e.SolderMask);
  j.Key("ThermalMagic").Int(e.ThermalMagic);
  j.Key("Points").BeginArray();
  for (const TFPoint& p : e.Points) j.BeginArray().Float(p.X).Float(p.Y).EndArray();
  j.EndArray();
  j.Key("Text").String(Cp1251ToUtf8(e.Text));
  j.Key("Text2").String(Cp1251ToUtf8(e.Text2));
  j.Key("Connections").BeginArray();
  for (const TObjekt* c : e.Connections) j.Int(ref(c));
  j.EndArray();
  j.Key("RouteStart").Int(ref(e.RouteStart));
  j.Key("RouteEnd").Int(ref(e.RouteEnd));
  j.Key("SubElements").BeginArray();
  for (const auto& s : e.SubElements) Element(j, *s, index);
  j.EndArray();
  if (IsIdLabel(e)) {
    static const TPlaceData kNone;
    const TPlaceData& pd = e.Place ? *e.Place : kNone;
    j.Key("PlaceOffsetX").Float(pd.PlaceOffsetX).Key("PlaceOffsetY").Float(pd.PlaceOffsetY);
    j.Key("PlaceCentre").Int(pd.PlaceCentre).Key("PlaceRotation").Double(pd.PlaceRotation);
    j.Key("Package").String(Cp1251ToUtf8(pd.Package)).Key("Comment").String(Cp1251ToUtf8(pd.Comment));
    j.Key("PlaceEnabled").Int(pd.PlaceEnabled);
  }
  j.EndObject();
}

void Elements(TJson& j, const TObjektList& list) {
  TIndex index;
  for (size_t i = 0; i < list.size(); ++i) index.emplace(list[i].get(), static_cast<int>(i));
  j.Key("elements").BeginArray();
  for (const auto& e : list) Element(j, *e, index);
  j.EndArray();
}

int RunDump(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Flag("--json").Option("--board");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "dump", e);
  if (a.Positional().size() != 1) return UsageError(ctx, "dump", "expects one FILE");
  long long board = -1;
  if (std::string e = a.IntValue("--board", 0, 1 << 30, board); !e.empty()) return UsageError(ctx, "dump", e);
  const std::string& path = a.Positional()[0];
  TJson j(ctx.out);
  if (IsMacroPath(path)) {
    TMacro m;
    if (!LoadMacro(ctx, "dump", path, m)) return 1;
    j.BeginObject().Key("version").Int(m.Version).Key("macro").Bool(true);
    j.Key("text1").String(Cp1251ToUtf8(m.Text1)).Key("text2").String(Cp1251ToUtf8(m.Text2));
    Elements(j, m.Elements);
    j.EndObject();
    return 0;
  }
  TProject p;
  int version = 0;
  if (!LoadProject(ctx, "dump", path, p, version)) return 1;
  if (board < 0) board = p.ActiveIndex;
  if (board >= static_cast<long long>(p.Boards.size()))
    return Fail(
        ctx, "dump",
        "the file has " + std::to_string(p.Boards.size()) + " board(s); there is no board " + std::to_string(board));
  const TBoard& b = *p.Boards[static_cast<size_t>(board)];
  j.BeginObject().Key("version").Int(version).Key("board").Int(board);
  j.Key("name").String(Cp1251ToUtf8(StoredBoardName(b)));
  Elements(j, b.Elements);
  j.EndObject();
  return 0;
}
}  // namespace

TSubcommand DumpCommand() { return {"dump", "print every element of a board as JSON", kUsage, RunDump}; }

}  // namespace bs::cli
