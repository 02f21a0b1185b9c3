// The edit tool (mode 0): picking and selecting, the selection rectangle,
// moving the selection with grid steps, capture, board limits and following
// track ends, dragging nodes and segments of a track or zone, the handles of
// a circle, dragging the zero point, the context menus, double-click, the
// name label at the pointer and the arrow keys.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

#include "edit/units.h"
#include "tools/tool.h"
#include "tools/tool_geometry.h"

namespace bs::app {

struct TCursorMark;

class TEditTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TEditTool)

 public:
  explicit TEditTool(TToolHost& host);
  ~TEditTool() override;

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void Release(const TPointer& p) override;
  void RightClick(const TPointer& p) override;
  void DoubleClick(const TPointer& p) override;
  bool Key(const QKeyEvent& key, bool pressed) override;
  void Modifiers(Qt::KeyboardModifiers mods) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  QString Hint() const override;
  bool KeyPanel() const override;

  // Moves the selection by (dx, dy) units with its following track ends,
  // held on the board, recording undo; false when nothing moved.
  bool MoveSelection(double dx, double dy);

 private:
  enum class TState {
    Idle,         // no button held
    Pressed,      // on a selected element, not moved yet
    Moving,       // the selection follows the pointer
    RubberBand,   // a selection rectangle is drawn
    NodeDrag,     // a vertex (or one inserted on a midpoint) of a track or zone
    SegmentDrag,  // both ends of a segment (ALT on a midpoint)
    AngleDrag,    // a circle's start or stop handle
    RadiusDrag,   // a circle's middle radius (ALT on a handle)
    ZeroDrag,     // the zero point
  };

  void Hover(const TPointer& p);
  void StartNodeDrag(TObjekt& e, int handle, const TPointer& p);
  void DragMove(const TPointer& p);
  void DragNode(const TPointer& p);
  void DragSegment(const TPointer& p);
  void DragCircle(const TPointer& p);
  void DragZero(const TPointer& p);
  void EndMove();
  void EndNodeDrag();
  void EndZeroDrag();
  void SelectInBand();
  // Shows the moved elements again where they are (the drag is dropped).
  void RestoreMoved();
  // Hides the moved elements and their following tracks from the picture
  // (they are drawn as a preview then), or shows them again.
  void ShowMoved(bool shown);
  // Marks the area of the moved elements and their following tracks stale.
  void InvalidateMoving();
  // The outline box of the selected elements (empty when none has an
  // outline), and in `cover` the box of what they cover on screen.
  TURect MovedBounds(const TBoard& board, TURect* cover) const;
  // The track vertices that follow the selected pads.
  std::vector<TFollowVertex> SelectionFollowers();
  void SetState(TState s);
  // Undo is recorded at the first change of a node or circle drag.
  void FirstChange();
  // Repaints where an element is.
  void Invalidate(const TObjekt& e);
  void ClearSelection();
  bool OnZeroMarker(QPoint pixel);
  QRect BandRect() const;
  // The following tracks as they bend with the delta.
  std::vector<const TObjekt*> Followers() const;
  QString Length(double units) const;
  TCursorMark ZeroMark() const;

  TState state_ = TState::Idle;
  TPointer press_{};
  TPointer last_{};
  bool recorded_ = false;

  // Moving: the elements, their grabbed reference point, the delta, their
  // bounds and the track vertices that follow (drawn from copies).
  std::vector<TObjekt*> moving_;
  TDPoint reference_{};
  TDPoint delta_{};
  TURect movingBounds_{};
  TDeltaRange movingKeep_{};
  std::vector<TFollowVertex> followers_;
  std::vector<TObjekt*> followerTracks_;
  std::vector<std::unique_ptr<TObjekt>> followerCopies_;
  bool hidden_ = false;
  // The moved elements drawn once where they were, shifted by the delta on
  // every step: a drag of thousands of elements costs no more per step than
  // one of a few. Drawn again when the zoom changes.
  struct TPreviewPicture {
    QImage Image;
    TDPoint Anchor{};  // the model point at the picture's top-left corner
    double Zoom = 0;
  };
  mutable TPreviewPicture preview_;
  const TPreviewPicture& PreviewPicture() const;
  QPoint PreviewPictureAt() const;

  // Node, segment and circle drags.
  TObjekt* node_ = nullptr;
  size_t nodeIndex_ = 0;
  size_t segment_ = 0;
  bool insert_ = false;    // a vertex goes onto the segment's midpoint
  bool inserted_ = false;  // ... and has been inserted
  TDPoint nodeStart_{};
  TPointList original_;
  int handle_ = 0;  // circle: 0 start, 1 stop
  double startRadius_ = 0;
  int32_t originalAngles_[2] = {0, 0};
  float originalSizes_[2] = {0, 0};

  // Zero-point drag and the selection rectangle.
  TDPoint zeroAt_{};
  TDPoint bandEnd_{};

  // The name label at the pointer.
  QString name_;
  QRect nameRect_;
};

}  // namespace bs::app
