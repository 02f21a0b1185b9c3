#include "panels/layer_bar.h"

#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "model/layers.h"
#include "render/view.h"
#include "window/language.h"

namespace bs::app {

namespace {
QColor Qt(TColour c) { return QColor(Red(c), Green(c), Blue(c)); }

// The visibility button: the layer's name in its colour on the background,
// crossed out while the layer is hidden.
QIcon VisibilityIcon(int layer, bool shown, const TColourScheme& scheme) {
  QPixmap pm(22, 16);
  pm.fill(Qt(scheme.Background()));
  QPainter p(&pm);
  QFont f = p.font();
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt(scheme.Layer(layer)));
  p.drawText(pm.rect(), ::Qt::AlignCenter, QString::fromUtf8(LayerLabel(layer, UiLanguage()).data()));
  if (!shown) {
    p.setPen(QPen(Qt(scheme.Contrast()), 1));
    p.drawLine(4, 14, 18, 0);
  }
  return QIcon(pm);
}
}  // namespace

TLayerBar::TLayerBar(QWidget* parent) : QToolBar(tr("Layers"), parent) {
  setObjectName("LayerBar");
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    auto* vis = new QToolButton(this);
    vis->setToolTip(tr("Show or hide the layer"));
    connect(vis, &QToolButton::clicked, this, [this, layer] {
      if (!board_) return;
      ToggleLayerVisible(board_->Platine, board_->Elements, layer);
      Refresh();
      emit Changed();
    });
    auto* act = new QToolButton(this);
    act->setText(QString::fromUtf8(LayerLabel(layer, UiLanguage()).data()));
    act->setCheckable(true);
    act->setToolTip(tr("Make the layer the active one"));
    connect(act, &QToolButton::clicked, this, [this, layer] {
      if (!board_) return;
      SetActiveLayer(board_->Platine, board_->Elements, layer);
      Refresh();
      emit Changed();
    });
    visible_[layer] = vis;
    active_[layer] = act;
    addWidget(vis);
    addWidget(act);
    if (layer < kLayerCount) addSeparator();
  }
}

void TLayerBar::SetBoard(TBoard* board, const TColourScheme& scheme) {
  board_ = board;
  scheme_ = scheme;
  Refresh();
}

void TLayerBar::Refresh() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const bool inner = layer == kLayerI1 || layer == kLayerI2;
    const bool present = board_ && (!inner || board_->Platine.Multilayer);
    for (QAction* a : actions())
      if (widgetForAction(a) == visible_[layer] || widgetForAction(a) == active_[layer]) a->setVisible(present);
    if (!board_) continue;
    visible_[layer]->setIcon(VisibilityIcon(layer, board_->Platine.LayerVisible[layer], scheme_));
    active_[layer]->setChecked(board_->Platine.ActiveLayer == layer);
  }
}

}  // namespace bs::app
