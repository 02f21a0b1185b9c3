// Driving modal dialogs and message boxes from tests: the action runs as
// soon as the dialog shows, from the event loop that the dialog starts.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>

namespace bs::app::test {

// Runs `act` on the next modal dialog of type T as soon as it shows. A
// dialog that a failed check left open is closed, so the test ends.
template <typename T>
void OnNextDialog(std::function<void(T&)> act, int tries = 100) {
  QTimer::singleShot(tries == 100 ? 0 : 10, [act, tries] {
    auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!d) {
      if (tries > 0) OnNextDialog<T>(act, tries - 1);
      else ADD_FAILURE() << "the expected dialog did not open";
      return;
    }
    act(*d);
    if (testing::Test::HasFailure() && d->isVisible()) d->reject();
  });
}

// Answers the next message box with `button` and keeps its text.
inline void AnswerNextBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  OnNextDialog<QMessageBox>([button, text](QMessageBox& box) {
    if (text) *text = box.text();
    QTest::mouseClick(box.button(button), Qt::LeftButton);
  });
}

}  // namespace bs::app::test
