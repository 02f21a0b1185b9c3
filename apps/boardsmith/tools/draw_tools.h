// The drawing tools: tracks and zones vertex by vertex with their bend
// modes (modes 1 and 5), circles and rectangles by a drag (modes 6 and 17),
// THT and SMD pads by a click (modes 2 and 14), and the solder-mask tool
// (mode 15), which switches an element's opening in the mask.
#pragma once

#include <QCoreApplication>

#include <memory>
#include <optional>

#include "model/objekt.h"
#include "tools/tool.h"

namespace bs::app {

// Tracks (mode 1) and zones (mode 5).
class TPolylineTool final : public TCursorTool {
  Q_DECLARE_TR_FUNCTIONS(TPolylineTool)

 public:
  TPolylineTool(TToolHost& host, bool zone) : TCursorTool(host), zone_(zone) {}

  // Zones drawn while this is on cut the ground plane.
  void SetCutout(bool on) { cutout_ = on; }
  bool Cutout() const { return cutout_; }

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void RightClick(const TPointer& p) override;
  bool Key(const QKeyEvent& key, bool pressed) override;
  QString Hint() const override;
  int BendMode() const override { return Drawing() ? bend_ : 0; }

  // The element being drawn, or null.
  TObjekt* Drawing() const;
  // Ends the track or zone being drawn (kept when it has enough vertices).
  void Finish();

 private:
  TCursorMark Mark() const override;
  std::vector<const TObjekt*> Preview() const override;
  void ChangeWidth(int32_t by);
  // F9 while a track is drawn: on through a via to the other side, or back.
  void ViaStep();
  void ViaStepBack();
  void MoveToLayer(int layer);

  bool zone_;
  bool cutout_ = false;
  int bend_ = 1;
  TObjekt* drawing_ = nullptr;
  // The last segment to the pointer (with its bend point), as a preview.
  std::unique_ptr<TObjekt> segment_;
  // What the last F9 did, so that a second F9 can take it back.
  struct TViaStepDone {
    TObjekt* Previous = nullptr;  // the finished track
    TObjekt* Pad = nullptr;
    bool Placed = false;  // a new pad (else an existing pad became a via)
    bool Converted = false;
    int Layer = 0;  // the layer before
  };
  std::optional<TViaStepDone> via_;
};

// Circles (mode 6) and rectangles (mode 17): press at the centre or corner,
// drag, release.
class TDragShapeTool final : public TCursorTool {
  Q_DECLARE_TR_FUNCTIONS(TDragShapeTool)

 public:
  TDragShapeTool(TToolHost& host, bool circle) : TCursorTool(host), circle_(circle) {}

  // Rectangles: filled (a zone) or an outline (a closed track); a cut-out.
  void SetFilled(bool on) { filled_ = on; }
  bool Filled() const { return filled_; }
  void SetCutout(bool on) { cutout_ = on; }
  bool Cutout() const { return cutout_; }

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void Release(const TPointer& p) override;
  QString Hint() const override;

 private:
  TCursorMark Mark() const override;
  std::vector<const TObjekt*> Preview() const override;
  void Rebuild();

  bool circle_;
  bool filled_ = false;
  bool cutout_ = false;
  std::optional<TDPoint> start_;
  std::unique_ptr<TObjekt> shape_;
};

// THT pads (mode 2) and SMD pads (mode 14): each click places one.
class TPadTool final : public TCursorTool {
  Q_DECLARE_TR_FUNCTIONS(TPadTool)

 public:
  TPadTool(TToolHost& host, bool smd) : TCursorTool(host), smd_(smd) {}

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  bool Key(const QKeyEvent& key, bool pressed) override;
  QString Hint() const override;

 private:
  TCursorMark Mark() const override;
  std::vector<const TObjekt*> Preview() const override;
  void Rebuild();

  bool smd_;
  std::unique_ptr<TObjekt> pad_;
};

// The solder-mask tool (mode 15): the element under the pointer on a copper
// side is highlighted, a click switches its opening in the mask.
class TSolderMaskTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TSolderMaskTool)

 public:
  using TTool::TTool;
  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  QString Hint() const override;

 private:
  void Highlight(TObjekt* e);
  TObjekt* hovered_ = nullptr;
};

// Whether the element is still on the active board (undo and board switches
// replace the elements under a tool).
bool OnBoard(const TBoard* board, const TObjekt* e);

}  // namespace bs::app
