// "demo": builds the example board in memory and describes it.
#include <map>
#include <ostream>

#include "args.h"
#include "cli.h"
#include "model/codepage.h"
#include "model/contours.h"
#include "model/layers.h"
#include "model/objekt_list.h"
#include "project/newboard.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli demo [--outline empty|rectangle|round] [--width MM] [--height MM]\n"
    "                           [--margin MM] [--diameter MM]\n\n"
    "Builds the example board in memory, on a new board as the new-board dialog\n"
    "describes it, and prints the working space, the zero point and every element\n"
    "with its contours.\n\n"
    "Options:\n"
    "  --outline KIND  empty working space, rectangular or round outline (default rectangle)\n"
    "  --width MM      width of the working space or of the outline (default 60)\n"
    "  --height MM     height of the working space or of the outline (default 40)\n"
    "  --margin MM     distance between outline and working-space edge (default 5)\n"
    "  --diameter MM   diameter of a round outline (default 50)\n";

const char* KindName(uint8_t kind) {
  switch (kind) {
    case kKindThtPad: return "tht_pad";
    case kKindZone: return "zone";
    case kKindCircle: return "circle";
    case kKindTrack: return "track";
    case kKindText: return "text";
    case kKindSmdPad: return "smd_pad";
    default: return "other";
  }
}

// A few parts of a plausible board placed inside the outline.
void PopulateExample(TObjektList& list, float x0, float y0) {
  auto add = [&](std::unique_ptr<TObjekt> e) -> TObjekt& {
    e->Clearance = kDefaultClearance;
    list.push_back(std::move(e));
    return *list.back();
  };
  auto pad = [&](float x, float y, uint8_t shape) -> TObjekt& {
    auto e = NewObjekt();
    InitThtPad(*e, {x0 + x, y0 + y}, kLayerC2, shape, 4000, 9000);
    return add(std::move(e));
  };
  TObjekt& p1 = pad(50000, -50000, kShapeSquare);
  TObjekt& p2 = pad(75400, -50000, kShapeRound);
  TObjekt& p3 = pad(150000, -50000, kShapeOctagon);
  TObjekt& p4 = pad(150000, -100000, kShapeRoundedH);
  p1.ComponentNo = p2.ComponentNo = 1;
  p2.Connections.push_back(&p3);
  p3.Connections.push_back(&p2);

  auto track = NewObjekt();
  InitTrack(*track, 8000, kLayerC2);
  for (TFPoint p : {TFPoint{50000, -50000}, TFPoint{50000, -100000}, TFPoint{150000, -100000}})
    AddPoint(*track, {x0 + p.X, y0 + p.Y});
  add(std::move(track));

  for (int i = 0; i < 2; ++i) {
    auto smd = NewObjekt();
    InitSmdPad(*smd, {x0 + 100000 + i * 20000.0f, y0 - 150000}, 12000, kLayerC1, 16000);
    add(std::move(smd));
  }
  auto circle = NewObjekt();
  InitCircle(*circle, {x0 + 250000, y0 - 80000}, 30000, kLayerS1, 28000);
  add(std::move(circle));

  auto zone = NewObjekt();
  InitZone(*zone, 2000, kLayerC1);
  for (TFPoint p : {TFPoint{200000, -200000}, TFPoint{300000, -200000}, TFPoint{300000, -300000},
                    TFPoint{200000, -300000}})
    AddPoint(*zone, {x0 + p.X, y0 + p.Y});
  add(std::move(zone));
  (void)p4;
}

int RunDemo(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Option("--outline").Option("--width").Option("--height").Option("--margin").Option("--diameter");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "demo", e);
  if (!a.Positional().empty())
    return UsageError(ctx, "demo", "unexpected argument " + a.Positional()[0]);

  TNewBoardSpec spec;
  spec.Kind = TNewBoardKind::Rectangle;
  spec.Name = "Example";
  spec.WidthMm = 60;
  spec.HeightMm = 40;
  spec.MarginMm = 5;
  spec.DiameterMm = 50;
  if (auto k = a.Value("--outline")) {
    if (*k == "empty") spec.Kind = TNewBoardKind::Empty;
    else if (*k == "rectangle") spec.Kind = TNewBoardKind::Rectangle;
    else if (*k == "round") spec.Kind = TNewBoardKind::Round;
    else return UsageError(ctx, "demo", "--outline must be empty, rectangle or round");
  }
  const std::pair<const char*, double*> numbers[] = {{"--width", &spec.WidthMm},
                                                     {"--height", &spec.HeightMm},
                                                     {"--margin", &spec.MarginMm},
                                                     {"--diameter", &spec.DiameterMm}};
  for (const auto& [name, target] : numbers) {
    if (auto v = a.Value(name); v && !ParseNumber(*v, *target))
      return UsageError(ctx, "demo", std::string(name) + " needs a number, not \"" + *v + "\"");
  }
  if (std::string err = ValidateNewBoard(spec); !err.empty()) {
    ctx.err << "boardsmith-cli demo: " << err << "\n";
    return 1;
  }

  TProject project;
  NewProjectBoards(project, spec, TLanguage::English, false);
  TBoard& board = *project.Active();
  const TNewBoardLayout layout = ComputeNewBoardLayout(spec, false);
  PopulateExample(board.Elements, static_cast<float>(layout.Margin), -static_cast<float>(layout.Margin));
  CleanUpList(board.Elements);

  const TPlatine& p = board.Platine;
  ctx.out << "board \"" << Cp1251ToUtf8(StoredBoardName(board)) << "\": " << p.Width / 10000.0
          << " x " << p.Height / 10000.0 << " mm, zero point (" << p.OriginX << ", " << p.OriginY
          << ")\n";
  std::map<std::string, int> byKind;
  size_t contours = 0, vertices = 0;
  for (const auto& e : board.Elements) {
    ++byKind[KindName(e->Kind)];
    const TContours cs = ElementContours(*e);
    contours += cs.size();
    for (const auto& c : cs) vertices += c.size();
    ctx.out << "  " << KindName(e->Kind) << " on " << LayerLabel(e->Layer, TLanguage::English)
            << ": " << cs.size() << " contour(s)";
    if (!e->Connections.empty()) ctx.out << ", " << e->Connections.size() << " rubber band(s)";
    if (e->ComponentNo) ctx.out << ", component " << e->ComponentNo;
    ctx.out << "\n";
  }
  ctx.out << board.Elements.size() << " elements:";
  for (const auto& [k, n] : byKind) ctx.out << " " << k << "=" << n;
  ctx.out << "; " << contours << " contours with " << vertices << " vertices\n";
  return 0;
}
}  // namespace

TSubcommand DemoCommand() {
  return {"demo", "build the example board in memory and describe its elements and contours",
          kUsage, RunDemo};
}

}  // namespace bs::cli
