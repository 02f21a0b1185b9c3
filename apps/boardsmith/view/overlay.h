// What the tools draw over the kept picture of the board: the crosshair with
// its measuring aids, the coordinate box, the rubber-band rectangle and the
// name label; each with the region (viewport pixels) it covers, so that only
// that region is copied from the picture again when it moves.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QString>

#include <optional>
#include <vector>

#include "model/geometry.h"
#include "render/colours.h"
#include "render/painter.h"

class QPainter;

namespace bs::app {

struct TCrosshair {
  QPointF At;                      // the cursor (after capture and grid)
  bool Captured = false;           // red lines beside the cross
  std::optional<QPointF> From;     // a line and a circle from here (last vertex, zero point)
  bool Tick = false;               // a tick across the line at From (tracks, zones)
  bool Ring = false;               // a ring at the cursor (zero-point drag)
  std::optional<QPointF> Measure;  // the measure tool's press point
};

struct TCrosshairLook {
  TColourScheme Scheme;
  bool Diagonals = true;  // the 45-degree lines
  bool AntiAliased = true;
};

void PaintCrosshair(QPainter& p, QSize view, const TCrosshair& c, const TCrosshairLook& look);
QRegion CrosshairRegion(QSize view, const TCrosshair& c, const TCrosshairLook& look);

// The measure tool's angle: between the line from S to C and the nearer
// horizontal direction, 0 to 90 degrees.
double MeasureAngle(QPointF s, QPointF c);

// One row of the coordinate box; Row 1 ... 6 chooses its colour and gap.
struct TBoxRow {
  int Row = 1;
  QString Label;
  QString Value;
};
struct TBoxStyle {
  bool Big = false;
  bool Black = true;
  bool Transparent = true;
};
// Where the box goes: 20 pixels right of and below the cursor; left of it
// when it would leave the view on the right (or when asked), above it when
// it would leave the view at the bottom.
QRect CoordinateBoxRect(QSize view, QPointF cursor, const std::vector<TBoxRow>& rows, const TBoxStyle& style,
                        bool preferLeft);
void PaintCoordinateBox(QPainter& p, const QRect& box, const std::vector<TBoxRow>& rows, const TBoxStyle& style);

// The crosshair with its coordinate box, as a tool shows it at the cursor.
struct TCursorMark {
  bool Shown = false;
  QSize View;
  TCrosshair Cross;
  TCrosshairLook Look;
  bool ShowBox = true;
  TBoxStyle Style;
  std::vector<TBoxRow> Rows;
  bool PreferLeft = false;
  void Paint(QPainter& p) const;
  QRegion Region() const;
};

// The selection rectangle, dashed in the contrast colour.
void PaintRubberBand(QPainter& p, const QRect& r, const TColourScheme& scheme);
QRegion FrameRegion(const QRect& r);

// The name of the element under the pointer, 16 pixels beside it.
QRect NameLabelRect(QSize view, QPoint pointer, const QString& name);
void PaintNameLabel(QPainter& p, const QRect& r, const QString& name);

// Elements moved by `delta` (units), drawn translucent over the picture, and
// the pixels they cover.
void PaintDragPreview(QPainter& p, QSize view, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                      TDPoint delta, const TPaintSettings& settings, bool antiAliased);
QRegion DragPreviewRegion(QSize view, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                          TDPoint delta);
// The pixels of a model rectangle (units) on the view, a few more around it.
QRect ModelRectOnView(const TURect& r, const TPlatine& board, QSize view, int margin);

// A thin band along the segment a-b in short pieces, for update regions.
void AddSegment(std::vector<QRect>& pieces, QPointF a, QPointF b, int pad, QRect clip);

}  // namespace bs::app
