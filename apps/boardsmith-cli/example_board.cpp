#include "example_board.h"

#include <string>
#include <tuple>
#include <vector>

#include "model/geometry.h"
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

  TObjekt& Text(float x, float y, const std::string& s, uint8_t role, float height = 12000, uint8_t layer = kLayerS1,
                bool mirror = false) {
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
  TNewBoardRequest request;
  request.Kind = TNewBoardKind::Rectangle;
  request.Name = "Timer";
  request.WidthMm = 60;
  request.HeightMm = 40;
  request.MarginMm = 5;
  TBoard& board = AddNewBoard(project, request, false);
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
  b.Track(kLayerC2, w,
          {{100000, -400000},
           {100000, -150000},
           {ux + 3 * kPitch, -150000},
           {ux + 3 * kPitch, uy + 3 * kPitch}});  // J1 + to pin 8
  b.Track(kLayerC2, w,
          {{ux + 3 * kPitch, uy + 3 * kPitch},
           {ux + 3 * kPitch + 20000, uy + 3 * kPitch},
           {ux + 3 * kPitch + 20000, uy},
           {ux + 3 * kPitch, uy}});  // pin 8 to pin 4
  b.Track(kLayerC2, w, {{ux + kPitch, uy}, {ux + kPitch, -290000}, {400000, -290000}, {400000, -330000}});
  b.Track(kLayerC2, w,
          {{ux + kPitch, uy + 3 * kPitch},
           {ux + kPitch, uy + 3 * kPitch + 20000},
           {ux - 25000, uy + 3 * kPitch + 20000},
           {ux - 25000, uy + kPitch},
           {ux + kPitch, uy + kPitch},
           {ux + kPitch, uy}});  // pin 6 to pin 2
  b.Track(kLayerC2, w, {{160000 + 4 * kPitch, -380000}, {400000, -380000}, {400000, -330000}}).TrackEnds = 0;
  TObjekt& via = b.Via(ux + 2 * kPitch, -130000);
  b.Track(kLayerC2, w, {{ux + 2 * kPitch, uy + 3 * kPitch}, {ux + 2 * kPitch, -130000}});  // pin 5
  b.Track(kLayerC1, 5000, {{ux + 2 * kPitch, -130000}, {330000, -130000}});
  b.Track(kLayerC1, 5000, {{350000, -130000}, {380000, -130000}, {380000, -90000}});
  b.Via(380000, -90000).Thermal = 1;

  // Connections still to be drawn: the rubber bands.
  TBuilder::Connect(*u[2], d1a);     // output to the LED
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
  for (TFPoint p :
       {TFPoint{80000, -370000}, TFPoint{170000, -370000}, TFPoint{170000, -430000}, TFPoint{80000, -430000}})
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

void BuildKindsProject(TProject& project) {
  project.Boards.clear();
  project.ActiveIndex = -1;
  TBoard& board = AddBoard(project, "Kinds", 2000000, 1400000, false);
  TPlatine& p = board.Platine;
  p.Multilayer = 1;
  p.LayerVisible = {0, 1, 1, 1, 1, 1, 1, 1};
  p.GroundPlane[kLayerC2] = p.GroundPlane[kLayerI1] = 1;
  p.ActiveLayer = kLayerC2;
  TBuilder b(board);
  const float cell = 150000;
  auto at = [&](int col, int row) { return TFPoint{100000 + col * cell, -100000 - row * cell}; };

  // Row 0: every THT shape on C2, thermal on even columns; row 1 the same
  // turned by 30 degrees with individual spokes.
  for (int row = 0; row < 2; ++row)
    for (int shape = 1; shape <= 9; ++shape) {
      const TFPoint c = at(shape - 1, row);
      TObjekt& pad = b.Pad(c.X, c.Y, uint8_t(shape), 25000, 10000);
      pad.Thermal = shape % 2 == 0;
      pad.Clearance = 8000;
      if (row == 1) {
        RotateObjekt(pad, {c.X, c.Y}, 30);
        pad.Thermal = 1;
        pad.ThermalSpokes = 0xAAAAAAAA;
      }
    }
  b.Pad(at(9, 0).X, at(9, 0).Y, kShapeRound, 20000, 20000);  // a bare hole
  TObjekt& via = b.Via(at(9, 1).X, at(9, 1).Y);
  via.Thermal = 1;
  via.Clearance = 6000;
  b.Pad(at(10, 0).X, at(10, 0).Y, 0, 20000, 8000);  // no shape: only its hole

  // Row 2: SMD pads on C1, one thermal, one turned; tracks on C1.
  TObjekt& smd = b.Smd(at(0, 2).X, at(0, 2).Y, 60000, 30000);
  b.Smd(at(1, 2).X, at(1, 2).Y, 60000, 30000).Thermal = 1;
  TObjekt& turned = b.Smd(at(2, 2).X, at(2, 2).Y, 60000, 30000);
  RotateObjekt(turned, {at(2, 2).X, at(2, 2).Y}, 45);
  p.GroundPlane[kLayerC1] = 1;
  const TFPoint t0 = at(3, 2);
  b.Track(kLayerC1, 20000, {{t0.X, t0.Y + 40000}, {t0.X + 100000, t0.Y + 40000}}).TrackEnds = 3;
  b.Track(kLayerC1, 20000, {{t0.X, t0.Y}, {t0.X + 100000, t0.Y}, {t0.X + 100000, t0.Y - 40000}});
  b.Track(kLayerC1, 20000, {{t0.X + 150000, t0.Y}, {t0.X + 155000, t0.Y}}).TrackEnds = 2;  // short end
  b.Track(kLayerC1, 20000, {{t0.X + 200000, t0.Y}, {t0.X + 200000, t0.Y}});                // a dot
  TObjekt& routed = b.Track(kLayerC2, 15000, {{at(7, 2).X, at(7, 2).Y}, {at(9, 2).X, at(9, 2).Y}});
  routed.Routed = 1;

  // Row 3: zones on C1 (solid, hatched by width, hatched automatic) and a
  // cut-out on C2.
  auto zone = [&](int col, uint8_t layer, bool hatch, bool autoHatch, bool cutout) -> TObjekt& {
    auto z = NewObjekt();
    InitZone(*z, 4000, layer);
    const TFPoint c = at(col, 3);
    for (TFPoint q : {TFPoint{c.X - 60000, c.Y + 50000}, TFPoint{c.X + 60000, c.Y + 50000},
                      TFPoint{c.X + 20000, c.Y - 60000}, TFPoint{c.X - 60000, c.Y - 50000}})
      AddPoint(*z, q);
    z->Hatch = hatch;
    z->HatchAuto = autoHatch;
    z->HatchWidth = 12000;
    z->Cutout = cutout;
    return b.Add(std::move(z));
  };
  zone(0, kLayerC1, false, true, false);
  zone(1, kLayerC1, true, false, false);
  zone(2, kLayerC1, true, true, false);
  zone(3, kLayerC2, false, true, true);
  zone(4, kLayerI1, false, true, false);

  // Row 4: circles and arcs on S1, texts on every silkscreen and copper layer.
  b.Circle(at(0, 4).X, at(0, 4).Y, 50000, 6000);
  TObjekt& arc = b.Circle(at(1, 4).X, at(1, 4).Y, 50000, 6000);
  arc.StartAngle = 30000;
  arc.StopAngle = 240000;
  TObjekt& disc = b.Circle(at(2, 4).X, at(2, 4).Y, 45000, 6000);
  disc.Fill = 1;
  TObjekt& pie = b.Circle(at(3, 4).X, at(3, 4).Y, 45000, 6000);
  pie.Fill = 1;
  pie.StartAngle = 0;
  pie.StopAngle = 270000;
  b.Text(at(4, 4).X, at(4, 4).Y, "Normal", 0, 30000);
  b.Text(at(6, 4).X, at(6, 4).Y, "Mirror", 0, 30000, kLayerS2, true);
  TObjekt& rotated = b.Text(at(8, 4).X, at(8, 4).Y, "R45", 0, 30000);
  rotated.Rotation = 45;
  BuildTextStrokes(rotated, false);
  for (auto [col, style, thick] : {std::tuple{0, 0, 0}, std::tuple{3, 2, 2}}) {
    auto t = NewObjekt();
    InitText(*t, at(col, 5), col == 0 ? "narrow thin" : "WIDE BOLD", false, false, kLayerC2, style, float(thick), 30000,
             0);
    BuildTextStrokes(*t, false);
    b.Add(std::move(t));
  }
  b.Track(kLayerI2, 15000, {{at(6, 5).X, at(6, 5).Y}, {at(10, 5).X, at(10, 5).Y}});
  b.Track(kLayerI1, 15000, {{at(6, 5).X, at(6, 5).Y - 40000}, {at(10, 5).X, at(10, 5).Y - 40000}});
  b.Track(kLayerO, 0, {{20000, -20000}, {1980000, -20000}, {1980000, -1380000}, {20000, -1380000}, {20000, -20000}});

  // Rubber bands and a selected track with its handles.
  TBuilder::Connect(smd, via);
  TBuilder::Connect(smd, *board.Elements[0]);
  routed.Selected = 1;
  p.OriginY = -p.Height;
  project.Changed = false;
}

}  // namespace bs::cli
