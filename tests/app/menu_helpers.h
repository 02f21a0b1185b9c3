// Finding the window's menu entries by their captions, in menus and their
// submenus, as a user would look for them.
#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace bs::app::test {

// The first entry with the caption among the actions or, depth first, in
// their submenus; null when there is none.
inline QAction* FindMenuEntry(const QList<QAction*>& actions, const QString& caption) {
  for (QAction* a : actions) {
    if (a->text() == caption) return a;
    if (a->menu())
      if (QAction* inside = FindMenuEntry(a->menu()->actions(), caption)) return inside;
  }
  return nullptr;
}

inline QAction* FindMenuEntry(const QMenuBar* bar, const QString& caption) {
  return FindMenuEntry(bar->actions(), caption);
}

}  // namespace bs::app::test
