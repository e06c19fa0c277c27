#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {

namespace {

// Where the executable's translations are (translations/CMakeLists.txt puts them there).
constexpr char kEmbedded[] = ":/i18n";

// Owned here, not by the application: the command line's answers make an application of
// their own that ends before the window's is made.
QTranslator* qtTranslator = nullptr;
QTranslator* ownTranslator = nullptr;

// A fresh translator for `locale`'s file "<name>_<language>.qm" from the first folder that
// has one; null when none has.
QTranslator* loaded(const QLocale& locale, const QString& name, const QStringList& folders) {
  auto* translator = new QTranslator;
  for (const QString& folder : folders) {
    if (translator->load(locale, name, QStringLiteral("_"), folder)) return translator;
  }
  // The program's Chinese is simplified Chinese, as the window is: any Chinese system
  // gets it rather than English.
  if (locale.language() == QLocale::Chinese && name == QLatin1String("luckydraw")) {
    for (const QString& folder : folders) {
      if (translator->load(name + QStringLiteral("_zh_CN"), folder)) return translator;
    }
  }
  delete translator;
  return nullptr;
}

void replace(QTranslator*& slot, QTranslator* next) {
  if (slot) {
    QCoreApplication::removeTranslator(slot);
    delete slot;
  }
  slot = next;
  if (slot) QCoreApplication::installTranslator(slot);
}

}  // namespace

bool install(const QLocale& locale) {
  const QStringList qtFolders{QString::fromLatin1(kEmbedded),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  replace(qtTranslator, loaded(locale, QStringLiteral("qtbase"), qtFolders));
  replace(ownTranslator, loaded(locale, QStringLiteral("luckydraw"), {QString::fromLatin1(kEmbedded)}));
  return ownTranslator != nullptr;
}

bool install() { return install(QLocale()); }

}  // namespace language
