#include "tools/tool_palette.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

#include "io/settings.h"
#include "tools/tools.h"
#include "view/board_view.h"

namespace bs::app {

namespace {
// A picture of `size` pixels drawn by `draw` with anti-aliasing, on a scale
// of 32 units to the side.
template <class F>
QPixmap Drawn(int size, F&& draw) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, size / 32.0);
  }
  return pm;
}

// A magnifying glass with a plus in it; the lens centre is at a third of
// the size.
QPixmap Magnifier(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    const QPointF c(11 * s, 11 * s);
    const double r = 8 * s;
    // A white rim keeps the glass visible on a dark board.
    p.setPen(QPen(Qt::white, 6 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17 * s, 17 * s), QPointF(28 * s, 28 * s));
    p.setPen(QPen(Qt::white, 4.5 * s));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::black, 3.5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17 * s, 17 * s), QPointF(27.5 * s, 27.5 * s));
    p.setPen(QPen(Qt::black, 2 * s));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::black, 1.6 * s));
    p.drawLine(QPointF(c.x() - 4 * s, c.y()), QPointF(c.x() + 4 * s, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 4 * s), QPointF(c.x(), c.y() + 4 * s));
  });
}

// The arrow pointer of the edit tool.
QPixmap Pointer(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    QPainterPath arrow;
    arrow.moveTo(8 * s, 3 * s);
    arrow.lineTo(8 * s, 25 * s);
    arrow.lineTo(13.5 * s, 20 * s);
    arrow.lineTo(17.5 * s, 28.5 * s);
    arrow.lineTo(21 * s, 27 * s);
    arrow.lineTo(17 * s, 18.5 * s);
    arrow.lineTo(24.5 * s, 18.5 * s);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5 * s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
  });
}
// A ruler with an arrow along it, for the measure tool.
// A test probe: a needle with a round grip.
QPixmap Probe(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 32.0;
  p.setPen(QPen(QColor(60, 60, 60), 2.5 * s, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6 * s, 26 * s), QPointF(18 * s, 14 * s));
  p.setBrush(QColor(200, 40, 40));
  p.setPen(QPen(QColor(90, 20, 20), 1.5 * s));
  p.drawEllipse(QPointF(22 * s, 10 * s), 6 * s, 6 * s);
  return pm;
}

QPixmap Ruler(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(Qt::black, 1.5 * s));
    p.setBrush(QColor(250, 220, 120));
    p.drawRect(QRectF(3 * s, 18 * s, 26 * s, 9 * s));
    for (int i = 0; i <= 6; ++i) {
      const double x = (5 + i * 3.6) * s;
      p.drawLine(QPointF(x, 18 * s), QPointF(x, (i % 2 ? 21.5 : 23.5) * s));
    }
    p.setPen(QPen(Qt::black, 1.6 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4 * s, 10 * s), QPointF(28 * s, 10 * s));
    for (double end : {4.0, 28.0}) {
      const double d = end < 16 ? 4 : -4;
      p.drawLine(QPointF(end * s, 10 * s), QPointF((end + d) * s, 6.5 * s));
      p.drawLine(QPointF(end * s, 10 * s), QPointF((end + d) * s, 13.5 * s));
    }
  });
}

// Simple pictures of what the drawing tools make, in the copper colours.
const QColor kCopper(200, 120, 40);
const QColor kCopperDark(120, 60, 10);

QPixmap TrackIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(kCopper, 4 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF({QPointF(4 * s, 26 * s), QPointF(14 * s, 26 * s), QPointF(26 * s, 14 * s), QPointF(26 * s, 5 * s)}));
  });
}

QPixmap ThtPadIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(kCopper);
    p.drawEllipse(QPointF(16 * s, 16 * s), 11 * s, 11 * s);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16 * s, 16 * s), 4 * s, 4 * s);
  });
}

QPixmap SmdPadIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(kCopperDark, 1 * s));
    p.setBrush(kCopper);
    p.drawRect(QRectF(6 * s, 10 * s, 8 * s, 12 * s));
    p.drawRect(QRectF(18 * s, 10 * s, 8 * s, 12 * s));
  });
}

QPixmap CircleIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(kCopper, 3.5 * s));
    p.drawEllipse(QPointF(16 * s, 16 * s), 11 * s, 11 * s);
  });
}

QPixmap RectangleIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(kCopper, 3.5 * s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(5 * s, 8 * s, 22 * s, 16 * s));
  });
}

QPixmap ZoneIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(kCopperDark, 1.5 * s));
    p.setBrush(kCopper);
    p.drawPolygon(QPolygonF({QPointF(4 * s, 27 * s), QPointF(8 * s, 6 * s), QPointF(20 * s, 4 * s),
                             QPointF(28 * s, 16 * s), QPointF(18 * s, 27 * s)}));
  });
}

QPixmap TextIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(Qt::black, 3 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(6 * s, 27 * s), QPointF(16 * s, 5 * s), QPointF(26 * s, 27 * s)}));
    p.drawLine(QPointF(10.5 * s, 18 * s), QPointF(21.5 * s, 18 * s));
  });
}

// Two pads joined by a thin straight line.
QPixmap RubberBandIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(QPen(Qt::black, 1.2 * s, Qt::DashLine));
    p.drawLine(QPointF(8 * s, 24 * s), QPointF(24 * s, 8 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(kCopper);
    p.drawEllipse(QPointF(8 * s, 24 * s), 5 * s, 5 * s);
    p.drawEllipse(QPointF(24 * s, 8 * s), 5 * s, 5 * s);
  });
}

QPixmap SolderMaskIcon(int size) {
  return Drawn(size, [](QPainter& p, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 130, 60));
    p.drawRect(QRectF(3 * s, 3 * s, 26 * s, 26 * s));
    p.setBrush(kCopper);
    p.drawEllipse(QPointF(16 * s, 16 * s), 7 * s, 7 * s);
  });
}
}  // namespace

TToolPalette::TToolPalette(TBoardView* view, QWidget* parent) : QToolBar(tr("Tools"), parent) {
  setObjectName("ToolPalette");
  setIconSize(QSize(24, 24));
  auto* group = new QActionGroup(this);
  auto tool = [this, group](int mode, const QIcon& icon, const QString& name) {
    QAction* a = new QAction(icon, name, this);
    a->setCheckable(true);
    a->setData(name);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, mode] { emit ToolChosen(mode); });
    actions_[mode] = a;
    return a;
  };
  addAction(tool(kToolEdit, QIcon(Pointer(32)), tr("Edit")));

  // A tool with a menu behind the arrow of its button.
  auto withMenu = [this](QAction* a, QMenu* menu, const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setDefaultAction(a);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setIconSize(iconSize());
    addWidget(button);
    return button;
  };

  // The zoom tool; the arrow beside it opens the zoom menu.
  QAction* zoom = tool(kToolZoom, QIcon(Magnifier(32)), tr("Zoom"));
  auto* menu = new QMenu(this);
  zoomPrevious_ = menu->addAction(tr("Zoom previous"), view, &TBoardView::ZoomPrevious);
  menu->addAction(tr("Zoom board"), view, &TBoardView::ZoomBoard);
  zoomObjects_ = menu->addAction(tr("Zoom objects"), view, &TBoardView::ZoomObjects);
  zoomSelection_ = menu->addAction(tr("Zoom selection"), view, [view] { view->ZoomSelection(); });
  // The history changes with every zoom: the entries are brought up to date
  // when the menu opens as well.
  connect(menu, &QMenu::aboutToShow, this, [this, view] { RefreshZoomMenu(view->Board()); });
  zoomButton_ = withMenu(zoom, menu, "ZoomToolButton");

  addSeparator();
  addAction(tool(kToolTrack, QIcon(TrackIcon(32)), tr("Track")));
  padMenu_ = new QMenu(this);
  withMenu(tool(kToolPad, QIcon(ThtPadIcon(32)), tr("THT pad")), padMenu_, "PadToolButton");
  addAction(tool(kToolSmdPad, QIcon(SmdPadIcon(32)), tr("SMD pad")));
  addAction(tool(kToolCircle, QIcon(CircleIcon(32)), tr("Circle / arc")));
  rectangleMenu_ = new QMenu(this);
  withMenu(tool(kToolRectangle, QIcon(RectangleIcon(32)), tr("Rectangle")), rectangleMenu_, "RectangleToolButton");
  addAction(tool(kToolZone, QIcon(ZoneIcon(32)), tr("Zone")));
  addAction(tool(kToolText, QIcon(TextIcon(32)), tr("Text")));
  addSeparator();
  addAction(tool(kToolConnections, QIcon(RubberBandIcon(32)), tr("Connections (rubberbands)")));
  addAction(tool(kToolTest, QIcon(Probe(32)), tr("Test")));
  addAction(tool(kToolMeasure, QIcon(Ruler(32)), tr("Measure")));
  addAction(tool(kToolSolderMask, QIcon(SolderMaskIcon(32)), tr("Solder mask")));
}

namespace {
// The tools with a hotkey, by the position of their letter in the settings.
constexpr std::pair<int, int> kHotTools[] = {
    {kHotZoom, kToolZoom},
    {kHotTrack, kToolTrack},
    {kHotPad, kToolPad},
    {kHotSmdPad, kToolSmdPad},
    {kHotCircle, kToolCircle},
    {kHotRectangle, kToolRectangle},
    {kHotZone, kToolZone},
    {kHotSpecialForm, kToolSpecialForm},
    {kHotText, kToolText},
    {kHotConnections, kToolConnections},
    {kHotAutoroute, kToolAutoroute},
    {kHotTest, kToolTest},
    {kHotMeasure, kToolMeasure},
    {kHotPhotoview, kToolPhotoView},
    {kHotSolderMask, kToolSolderMask},
};
}  // namespace

int ToolOfHotkey(int hot) {
  for (const auto& [h, mode] : kHotTools)
    if (h == hot) return mode;
  return -1;
}

int HotkeyOfTool(int mode) {
  for (const auto& [h, m] : kHotTools)
    if (m == mode) return h;
  return -1;
}

void TToolPalette::RefreshZoomMenu(TBoard* board) {
  const bool any = board && !board->Elements.empty();
  bool selected = false;
  if (board)
    for (const auto& e : board->Elements) selected |= e->Selected != 0;
  zoomPrevious_->setEnabled(board && !board->ZoomHistory.empty());
  zoomObjects_->setEnabled(any);
  zoomSelection_->setEnabled(selected);
}

void TToolPalette::Check(int mode) {
  if (QAction* a = Action(mode)) a->setChecked(true);
}

QAction* TToolPalette::Action(int mode) const {
  const auto it = actions_.find(mode);
  return it == actions_.end() ? nullptr : it->second;
}

void TToolPalette::SetHotkeys(const std::string& keys) {
  for (const auto& [mode, a] : actions_) {
    const QString name = a->data().toString();
    const int hot = HotkeyOfTool(mode);
    const char key = hot >= 0 && keys.size() > size_t(hot) ? keys[size_t(hot)] : '_';
    a->setToolTip(key == '_' ? name : QString("%1 (%2)").arg(name, QChar(key)));
  }
}

QCursor TToolPalette::Cursor(int mode) {
  switch (mode) {
    case kToolZoom: return QCursor(Magnifier(32), 11, 11);
    case kToolCircle: return QCursor(Qt::CrossCursor);
    case kToolTest: return QCursor(Probe(32), 6, 26);
    case kToolSolderMask: return QCursor(Qt::PointingHandCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

QString TToolPalette::Hint(int mode) {
  switch (mode) {
    case kToolZoom: return tr("ZOOM:  Left click to zoom in, right click to zoom out, drag a rectangle to zoom to it");
    default: return tr("EDIT:  Select elements with the left mouse button, drag to move them");
  }
}

}  // namespace bs::app
