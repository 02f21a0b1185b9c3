#include "synth/synth_board.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "model/geometry.h"
#include "model/objekt_list.h"
#include "render/text_strokes.h"

namespace bs {

namespace {
class TGen {
 public:
  TGen(TBoard& board, const TSynthOptions& opt) : board_(board), opt_(opt), rng_(opt.Seed), list_(board.Elements) {}

  void Run() {
    TPlatine& p = board_.Platine;
    // At least 250 mm, so that the largest component (8 x 2 pins at 2.54 mm
    // with its labels) fits.
    const double side = std::clamp(100.0 + std::sqrt(double(opt_.Elements)) * 1.2, 250.0, 500.0);
    p.Width = MmToUnits(side);
    p.Height = MmToUnits(side * 0.7);
    p.OriginY = -p.Height;
    p.Multilayer = opt_.Multilayer;
    p.LayerVisible[kLayerI1] = p.LayerVisible[kLayerI2] = p.Multilayer;
    p.GroundPlane[kLayerC2] = 1;
    list_.reserve(opt_.Elements + 64);

    while (list_.size() < opt_.Elements) {
      const int pick = Int(0, 99);
      if (pick < 20) Component();
      else if (pick < 75) Track();
      else if (pick < 85) Via();
      else if (pick < 90) Zone();
      else if (pick < 95) Circle();
      else Text();
    }
    KeepInside();
    RubberBands();
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  float X() { return static_cast<float>(Int(20000, board_.Platine.Width - 20000)); }
  float Y() { return static_cast<float>(-Int(20000, board_.Platine.Height - 20000)); }
  uint8_t CopperLayer() {
    if (opt_.Multilayer && Int(0, 3) == 0) return Int(0, 1) ? kLayerI1 : kLayerI2;
    return Int(0, 1) ? kLayerC1 : kLayerC2;
  }
  uint8_t SilkLayer() { return Int(0, 4) ? kLayerS1 : kLayerS2; }

  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    if (e->Clearance == 0) e->Clearance = kDefaultClearance;
    list_.push_back(std::move(e));
    return *list_.back();
  }

  void Track() {
    auto e = NewObjekt();
    InitTrack(*e, 2500 * Int(1, 4), CopperLayer());
    float x = X(), y = Y();
    AddPoint(*e, {x, y});
    const int n = Int(1, 4);
    for (int i = 0; i < n; ++i) {
      if (i % 2 == 0) x = std::clamp<float>(x + 12700.0f * Int(-8, 8), 0, board_.Platine.Width);
      else y = std::clamp<float>(y + 12700.0f * Int(-8, 8), -board_.Platine.Height, 0);
      AddPoint(*e, {x, y});
    }
    Add(std::move(e));
  }

  void Via() {
    auto e = NewObjekt();
    InitThtPad(*e, {X(), Y()}, kLayerC1, kShapeRound, 2000, 4500);
    e->Via = 1;
    Add(std::move(e));
  }

  void Zone() {
    auto e = NewObjekt();
    InitZone(*e, 2000, CopperLayer());
    const float x = X(), y = Y(), w = 10000.0f * Int(1, 6), h = 10000.0f * Int(1, 6);
    for (TFPoint p : {TFPoint{x, y}, TFPoint{x + w, y}, TFPoint{x + w, y - h}, TFPoint{x, y - h}}) AddPoint(*e, p);
    e->Hatch = Int(0, 3) == 0;
    Add(std::move(e));
  }

  void Circle() {
    auto e = NewObjekt();
    const float r = 5000.0f * Int(1, 10);
    InitCircle(*e, {X(), Y()}, r, SilkLayer(), r - 1500);
    if (Int(0, 2) == 0) {
      e->StartAngle = 1000 * Int(0, 359);
      e->StopAngle = 1000 * Int(0, 359);
    }
    Add(std::move(e));
  }

  TObjekt& Label(TFPoint at, const std::string& s, uint8_t role, int16_t comp, uint8_t layer) {
    auto e = NewObjekt();
    InitText(*e, at, s, false, layer == kLayerS2, layer, 1, 1, 12000, Int(0, 3) == 0 ? 90 : 0);
    e->LabelRole = role;
    e->ComponentNo = comp;
    if (role & 1) {
      TPlaceData& pd = EnsurePlace(*e);
      pd.Package = "PKG";
      pd.PlaceEnabled = 1;
    }
    BuildTextStrokes(*e, false);
    return Add(std::move(e));
  }

  void Text() {
    auto e = NewObjekt();
    InitText(*e, {X(), Y()}, "NET" + std::to_string(Int(1, 999)), false, false, SilkLayer(), 1, 1, 15000, 0);
    BuildTextStrokes(*e, false);
    Add(std::move(e));
  }

  void Component() {
    const int16_t comp = static_cast<int16_t>(std::min(++components_, 32000));
    const bool smd = Int(0, 1) == 1;
    const int pins = 2 * Int(1, 8);
    const float pitch = smd ? 12700.0f : 25400.0f;
    const float x0 = X(), y0 = Y();
    const uint8_t side = smd ? (Int(0, 3) ? kLayerC1 : kLayerC2) : kLayerC2;
    for (int i = 0; i < pins; ++i) {
      const float px = x0 + (i % (pins / 2)) * pitch, py = y0 - (i < pins / 2 ? 0 : 3 * pitch);
      auto e = NewObjekt();
      if (smd) InitSmdPad(*e, {px, py}, 6000, side, 15000);
      else InitThtPad(*e, {px, py}, side, i == 0 ? kShapeSquare : kShapeRound, 4000, 8000);
      e->ComponentNo = comp;
      e->Thermal = (side == kLayerC2 && Int(0, 5) == 0) ? 1 : 0;
      pads_.push_back(&Add(std::move(e)));
    }
    auto outline = NewObjekt();
    InitTrack(*outline, 2000, side == kLayerC2 && smd ? kLayerS2 : kLayerS1);
    const float w = (pins / 2) * pitch, h = 3 * pitch;
    for (TFPoint p : {TFPoint{x0 - pitch / 2, y0 + pitch / 2}, TFPoint{x0 + w - pitch / 2, y0 + pitch / 2},
                      TFPoint{x0 + w - pitch / 2, y0 - h - pitch / 2}, TFPoint{x0 - pitch / 2, y0 - h - pitch / 2},
                      TFPoint{x0 - pitch / 2, y0 + pitch / 2}})
      AddPoint(*outline, p);
    outline->ComponentNo = comp;
    Add(std::move(outline));
    Label({x0, y0 + pitch}, (smd ? "U" : "J") + std::to_string(comp), 1, comp, kLayerS1);
    Label({x0, y0 - h - 2 * pitch}, smd ? "100n" : "HDR", 2, comp, kLayerS1).LabelVisible = Int(0, 4) != 0;
  }

  // Every element lies inside the working space, as on a real board, 5 mm
  // from its edges so that everything can still be moved a little: what
  // sticks out (a zone or component near the edge, a large circle) is moved
  // in, a component as a whole.
  void KeepInside() {
    const TPlatine& p = board_.Platine;
    const double margin = 50000;
    const std::vector<std::optional<TURect>> sets = PartnerSetBounds(list_, p);
    auto shift = [](double lo, double hi, double min, double max) {
      if (lo < min) return min - lo;
      if (hi > max) return max - hi;
      return 0.0;
    };
    for (size_t i = 0; i < list_.size(); ++i) {
      if (!sets[i]) continue;
      const TURect& r = *sets[i];
      const double dx = shift(r.Left, r.Right, margin, p.Width - margin),
                   dy = shift(r.Top, r.Bottom, margin - p.Height, -margin);
      if (dx != 0 || dy != 0) MoveObjekt(*list_[i], dx, dy);
    }
  }

  // Nets join nearby pads: each band goes from a random pad to the nearest
  // of a few random candidates.
  void RubberBands() {
    if (pads_.size() < 2) return;
    const size_t bands = pads_.size() / 3;
    auto dist = [](const TObjekt* a, const TObjekt* b) {
      const TFPoint p = a->Points.empty() ? a->Pos : a->Points[0], q = b->Points.empty() ? b->Pos : b->Points[0];
      return std::hypot(double(p.X) - q.X, double(p.Y) - q.Y);
    };
    for (size_t i = 0; i < bands; ++i) {
      TObjekt* a = pads_[Int(0, int(pads_.size()) - 1)];
      TObjekt* b = nullptr;
      for (int k = 0; k < 8; ++k) {
        TObjekt* c = pads_[Int(0, int(pads_.size()) - 1)];
        if (c != a && (!b || dist(a, c) < dist(a, b))) b = c;
      }
      if (!b || std::find(a->Connections.begin(), a->Connections.end(), b) != a->Connections.end()) continue;
      a->Connections.push_back(b);
      b->Connections.push_back(a);
    }
  }

  TBoard& board_;
  const TSynthOptions& opt_;
  std::mt19937 rng_;
  TObjektList& list_;
  std::vector<TObjekt*> pads_;
  int components_ = 0;
};
}  // namespace

void FillSynthBoard(TBoard& board, const TSynthOptions& opt) { TGen(board, opt).Run(); }

void MakeSynthProject(TProject& project, const TSynthOptions& opt) {
  project.Boards.clear();
  project.ActiveIndex = -1;
  TBoard& b = AddBoard(project, "Synthetic", 1000000, 1000000, false);
  FillSynthBoard(b, opt);
  project.Changed = false;
}

}  // namespace bs
