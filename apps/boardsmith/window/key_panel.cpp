#include "window/key_panel.h"

#include <QHBoxLayout>
#include <QLabel>

namespace bs::app {

namespace {
void Look(QLabel* key, bool held) {
  key->setStyleSheet(held ? "QLabel { background: #008000; color: white; font-weight: bold; }"
                          : "QLabel { background: white; color: red; font-weight: bold; }");
}
}  // namespace

TKeyPanel::TKeyPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("KeyPanel");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(0);
  const char* names[3] = {" CTRL ", " SHIFT ", " SPACE "};
  for (int i = 0; i < 3; ++i) {
    keys_[i] = new QLabel(QString::fromLatin1(names[i]), this);
    meanings_[i] = new QLabel(this);
    layout->addWidget(keys_[i]);
    layout->addWidget(meanings_[i]);
  }
  Show({});
}

void TKeyPanel::Show(Qt::KeyboardModifiers held, bool sizeDrag, int bendMode) {
  const bool ctrl = held & Qt::ControlModifier, shift = held & Qt::ShiftModifier;
  meanings_[0]->setText(sizeDrag ? tr(" = Fine adjustment   ") : tr(" = Grid off   "));
  meanings_[1]->setText(ctrl ? tr(" = Capture off   ") : tr(" = 1/2 grid   "));
  meanings_[2]->setText(tr(" = Change bend mode  ") + QString("[%1/5]").arg(bendMode));
  Look(keys_[0], ctrl);
  Look(keys_[1], shift);
  Look(keys_[2], false);
  keys_[2]->setVisible(bendMode > 0);
  meanings_[2]->setVisible(bendMode > 0);
}

}  // namespace bs::app
