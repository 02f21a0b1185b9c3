#include "example_board.h"

#include <string>
#include <vector>

#include "project/newboard.h"
#include "render/text_strokes.h"

namespace bs::cli {

namespace {
constexpr float kPitch = 25400;  // 2.54 mm

class TBuilder {
 public:
  explicit TBuilder(TBoard& board) : list_(board.Elements) {}

  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    e->Clearance = kDefaultClearance;
    e->ComponentNo = static_cast<int16_t>(component_);
    list_.push_back(std::move(e));
    return *list_.back();
  }

  // Starts a component; elements added until the next Begin belong to it.
  void Begin() { component_ = ++lastComponent_; }
  void End() { component_ = 0; }

  TObjekt& Pad(float x, float y, uint8_t shape = kShapeRound, float r = 8000, float drill = 4000) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, kLayerC2, shape, drill, r);
    return Add(std::move(e));
  }

  TObjekt& Smd(float x, float y, float w, float h) {
    auto e = NewObjekt();
    InitSmdPad(*e, {x, y}, w, kLayerC1, h);
    return Add(std::move(e));
  }

  TObjekt& Track(uint8_t layer, int32_t width, std::initializer_list<TFPoint> pts) {
    auto e = NewObjekt();
    InitTrack(*e, width, layer);
    for (TFPoint p : pts) AddPoint(*e, p);
    return Add(std::move(e));
  }

  TObjekt& Box(float x0, float y0, float x1, float y1) {
    return Track(kLayerS1, 2000, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
  }

  TObjekt& Text(float x, float y, const std::string& s, uint8_t role, float height = 12000,
                uint8_t layer = kLayerS1, bool mirror = false) {
    auto e = NewObjekt();
    InitText(*e, {x, y}, s, false, mirror, layer, 1, 1, height, 0);
    e->LabelRole = role;
    if (role & 1) {
      TPlaceData& pd = EnsurePlace(*e);
      pd.Package = s[0] == 'U' ? "DIP8" : s[0] == 'C' && s.size() == 2 && s[1] == '2' ? "0805" : "THT";
      pd.PlaceEnabled = 1;
    }
    BuildTextStrokes(*e, false);
    return Add(std::move(e));
  }

  TObjekt& Circle(float x, float y, float r, float width, uint8_t layer = kLayerS1) {
    auto e = NewObjekt();
    InitCircle(*e, {x, y}, r + width / 2, layer, r - width / 2);
    return Add(std::move(e));
  }

  TObjekt& Via(float x, float y) {
    TObjekt& v = Pad(x, y, kShapeRound, 6000, 3000);
    v.Via = 1;
    return v;
  }

  static void Connect(TObjekt& a, TObjekt& b) {
    a.Connections.push_back(&b);
    b.Connections.push_back(&a);
  }

 private:
  TObjektList& list_;
  int component_ = 0;
  int lastComponent_ = 0;
};
}  // namespace

void BuildExampleProject(TProject& project) {
  project.Boards.clear();
  project.ActiveIndex = -1;
  TNewBoardSpec spec;
  spec.Kind = TNewBoardKind::Rectangle;
  spec.Name = "Timer";
  spec.WidthMm = 60;
  spec.HeightMm = 40;
  spec.MarginMm = 5;
  TBoard& board = AddNewBoard(project, spec, false);
  board.Platine.GroundPlane[kLayerC2] = 1;
  board.Platine.Grid = 12700;
  TBuilder b(board);

  // U1: a DIP8 timer; pins 1-4 along the lower row, 5-8 back along the upper.
  b.Begin();
  const float ux = 200000, uy = -230000;
  std::vector<TObjekt*> u;
  for (int i = 0; i < 8; ++i) {
    const float x = i < 4 ? ux + i * kPitch : ux + (7 - i) * kPitch;
    const float y = i < 4 ? uy : uy + 3 * kPitch;
    u.push_back(&b.Pad(x, y, i == 0 ? kShapeSquare : kShapeRound));
  }
  b.Box(ux - 15000, uy - 15000, ux + 3 * kPitch + 15000, uy + 3 * kPitch + 15000);
  b.Text(ux - 15000, uy + 3 * kPitch + 22000, "U1", 1);
  b.Text(ux + 5000, uy + 30000, "NE555", 2, 10000);
  b.End();

  // R1, R2: timing resistors on a 10.16 mm pitch.
  std::vector<TObjekt*> r1, r2;
  for (int k = 0; k < 2; ++k) {
    b.Begin();
    const float y = -330000 - k * 50000.0f, x = 160000;
    auto& v = k == 0 ? r1 : r2;
    v.push_back(&b.Pad(x, y));
    v.push_back(&b.Pad(x + 4 * kPitch, y));
    b.Box(x + 15000, y - 9000, x + 4 * kPitch - 15000, y + 9000);
    b.Text(x, y + 14000, k == 0 ? "R1" : "R2", 1, 10000);
    b.Text(x + 20000, y - 22000, k == 0 ? "10k" : "47k", 2, 8000).LabelVisible = 0;
    b.End();
  }

  // C1: electrolytic timing capacitor.
  b.Begin();
  TObjekt& c1p = b.Pad(400000, -330000, kShapeSquare);
  TObjekt& c1m = b.Pad(400000 + kPitch, -330000);
  b.Circle(400000 + kPitch / 2, -330000, 32000, 2000);
  b.Text(380000, -290000, "C1", 1, 10000);
  b.Text(380000, -385000, "10u", 2, 8000);
  b.End();

  // C2: SMD decoupling capacitor on the top side, joined to pin 5 by a via.
  b.Begin();
  TObjekt& c2a = b.Smd(330000, -130000, 12000, 14000);
  TObjekt& c2b = b.Smd(350000, -130000, 12000, 14000);
  b.Text(325000, -110000, "C2", 1, 8000);
  b.Text(325000, -160000, "10n", 2, 8000);
  b.End();

  // D1: LED with its outline; J1: supply connector.
  b.Begin();
  TObjekt& d1a = b.Pad(500000, -200000, kShapeSquare);
  TObjekt& d1k = b.Pad(500000 + kPitch, -200000);
  TObjekt& ring = b.Circle(500000 + kPitch / 2, -200000, 30000, 2000);
  ring.StartAngle = 120000;
  ring.StopAngle = 60000;  // the flat side at the top
  b.Text(490000, -160000, "D1", 1, 10000);
  b.Text(490000, -250000, "red", 2, 8000);
  b.End();
  b.Begin();
  TObjekt& jv = b.Pad(100000, -400000, kShapeSquare, 10000, 5000);
  TObjekt& jg = b.Pad(100000 + 2 * kPitch, -400000, kShapeRound, 10000, 5000);
  b.Box(85000, -415000, 100000 + 2 * kPitch + 15000, -385000);
  b.Text(85000, -375000, "J1", 1, 10000);
  b.Text(160000, -420000, "5V", 2, 8000);
  b.End();

  // Ground: pads that join the ground plane of C2 with thermal spokes.
  for (TObjekt* g : {u[0], &c1m, &d1k, &jg}) g->Thermal = 1;

  // Tracks on the bottom side.
  const float w = 6000;
  b.Track(kLayerC2, w, {{100000, -400000}, {100000, -150000}, {ux + 3 * kPitch, -150000},
                        {ux + 3 * kPitch, uy + 3 * kPitch}});  // J1 + to pin 8
  b.Track(kLayerC2, w, {{ux + 3 * kPitch, uy + 3 * kPitch}, {ux + 3 * kPitch + 20000, uy + 3 * kPitch},
                        {ux + 3 * kPitch + 20000, uy}, {ux + 3 * kPitch, uy}});  // pin 8 to pin 4
  b.Track(kLayerC2, w, {{ux + kPitch, uy}, {ux + kPitch, -290000}, {400000, -290000}, {400000, -330000}});
  b.Track(kLayerC2, w, {{ux + kPitch, uy + 3 * kPitch}, {ux + kPitch, uy + 3 * kPitch + 20000},
                        {ux - 25000, uy + 3 * kPitch + 20000}, {ux - 25000, uy + kPitch},
                        {ux + kPitch, uy + kPitch}, {ux + kPitch, uy}});  // pin 6 to pin 2
  b.Track(kLayerC2, w, {{160000 + 4 * kPitch, -380000}, {400000, -380000}, {400000, -330000}}).TrackEnds = 0;
  TObjekt& via = b.Via(ux + 2 * kPitch, -130000);
  b.Track(kLayerC2, w, {{ux + 2 * kPitch, uy + 3 * kPitch}, {ux + 2 * kPitch, -130000}});  // pin 5
  b.Track(kLayerC1, 5000, {{ux + 2 * kPitch, -130000}, {330000, -130000}});
  b.Track(kLayerC1, 5000, {{350000, -130000}, {380000, -130000}, {380000, -90000}});
  b.Via(380000, -90000).Thermal = 1;

  // Connections still to be drawn: the rubber bands.
  TBuilder::Connect(*u[2], d1a);   // output to the LED
  TBuilder::Connect(*u[6], *r1[1]);  // discharge to R1
  TBuilder::Connect(*r1[0], jv);
  TBuilder::Connect(*r2[0], *u[6]);
  (void)c1p;
  (void)c2a;
  (void)c2b;
  (void)via;

  // A copper area under the connector, mounting holes and the board's name.
  auto zone = NewObjekt();
  InitZone(*zone, 2000, kLayerC1);
  for (TFPoint p : {TFPoint{80000, -370000}, TFPoint{170000, -370000}, TFPoint{170000, -430000},
                    TFPoint{80000, -430000}})
    AddPoint(*zone, p);
  b.Add(std::move(zone));
  for (TFPoint h : {TFPoint{80000, -80000}, TFPoint{620000, -80000}, TFPoint{620000, -420000}}) {
    auto hole = NewObjekt();
    InitThtPad(*hole, h, kLayerC2, kShapeRound, 16000, 16000);
    b.Add(std::move(hole));
  }
  b.Text(430000, -420000, "TIMER 1.0", 0, 15000);
  b.Text(620000, -440000, "BOTTOM", 0, 12000, kLayerS2, true);
  project.Info.Title = "Timer demo";
  project.Info.Author = "Boardsmith";
  project.Info.Comment = "A 555 astable blinker: four rubber bands are left to route.";
  project.Changed = false;
}

}  // namespace bs::cli
