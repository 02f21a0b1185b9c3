// The user-interface language: chosen once at start-up from the language
// file (else the system locale), shown through Qt translators, and changed
// for the next start from the Options menu.
#pragma once

#include <QMenu>

#include "model/types.h"

class QAction;

namespace bs::app {

// The language of the language file in the settings folder; without that
// file the system locale decides.
TLanguage StartupLanguage();

// Installs the translators of `language` in the application (none for
// English), replacing those of an earlier call, and makes it the language
// of the windows created from now on. Returns false when the program's own
// translation could not be loaded; Qt's translations of its standard
// buttons are used when the system has them.
bool InstallLanguage(TLanguage language);

// The language installed last; English before the first call.
TLanguage UiLanguage();

// The name of a language in that language: "English", "Русский", "Français".
QString LanguageName(TLanguage language);

// The "Language" submenu: one entry per language, the one of the next start
// checked. Choosing an entry writes the language file; the windows keep
// their language until the program starts again.
class TLanguageMenu : public QMenu {
  Q_OBJECT

 public:
  explicit TLanguageMenu(QWidget* parent = nullptr);
  QAction* Entry(TLanguage language) const;

 private:
  void Choose(TLanguage language);

  QAction* entries_[3] = {};
  TLanguage chosen_;
};

}  // namespace bs::app
