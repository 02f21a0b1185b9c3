#include "window/language.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <memory>

#include "io/settings.h"

namespace bs::app {

namespace {

TLanguage installed = TLanguage::English;
// The program's own texts and Qt's standard buttons and dialogs.
std::unique_ptr<QTranslator> ownTexts;
std::unique_ptr<QTranslator> qtTexts;

void Remove(std::unique_ptr<QTranslator>& t) {
  if (!t) return;
  QCoreApplication::removeTranslator(t.get());
  t.reset();
}

// Loads a translator and installs it; nullptr when there is nothing to load.
std::unique_ptr<QTranslator> Load(const QString& file, const QString& folder) {
  auto t = std::make_unique<QTranslator>();
  if (!t->load(file, folder) || !QCoreApplication::installTranslator(t.get())) return nullptr;
  return t;
}

const TLanguage kLanguages[] = {TLanguage::English, TLanguage::Russian, TLanguage::French};

}  // namespace

TLanguage StartupLanguage() { return ReadLanguage(LanguageFilePath(), QLocale::system().name().toStdString()); }

bool InstallLanguage(TLanguage language) {
  Remove(ownTexts);
  Remove(qtTexts);
  installed = language;
  if (language == TLanguage::English) return true;
  // The translations are built into the program, which needs no files
  // beside it.
  const QString suffix = language == TLanguage::Russian ? "ru" : "fr";
  qtTexts = Load("qtbase_" + suffix, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  ownTexts = Load("boardsmith_" + suffix, ":/i18n");
  return ownTexts != nullptr;
}

TLanguage UiLanguage() { return installed; }

QString LanguageName(TLanguage language) {
  switch (language) {
    case TLanguage::Russian: return QStringLiteral("Русский");
    case TLanguage::French: return QStringLiteral("Français");
    default: return QStringLiteral("English");
  }
}

TLanguageMenu::TLanguageMenu(QWidget* parent) : QMenu(tr("&Language"), parent), chosen_(UiLanguage()) {
  setObjectName("LanguageMenu");
  auto* group = new QActionGroup(this);
  for (TLanguage lang : kLanguages) {
    QAction* a = addAction(LanguageName(lang), this, [this, lang] { Choose(lang); });
    a->setCheckable(true);
    a->setChecked(lang == chosen_);
    group->addAction(a);
    entries_[static_cast<int>(lang)] = a;
  }
}

QAction* TLanguageMenu::Entry(TLanguage language) const { return entries_[static_cast<int>(language)]; }

void TLanguageMenu::Choose(TLanguage language) {
  const std::string path = LanguageFilePath();
  if (!WriteLanguage(path, language)) {
    Entry(chosen_)->setChecked(true);
    QMessageBox::warning(parentWidget(), "Boardsmith",
                         tr("The language could not be saved in \"%1\".").arg(QString::fromStdString(path)));
    return;
  }
  chosen_ = language;
  if (language != UiLanguage())
    QMessageBox::information(parentWidget(), "Boardsmith",
                             tr("The new language is used when Boardsmith is started the next time."));
}

}  // namespace bs::app
