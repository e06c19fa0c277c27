#pragma once
// The operator's language: Qt's own texts (the buttons 是/否/确定, the text fields'
// 复制/粘贴 menu) and the program's own messages follow the system's language.
// The window's design captions and the design's own error messages are not translated.
class QLocale;

namespace language {

// Installs Qt's translation and the program's for `locale` on the running
// QCoreApplication, in place of those installed before. A language without translations
// (English among them) leaves the English texts. Qt's translation is taken from the
// executable's resources when it carries one (the Windows build does) and otherwise from
// Qt's translations folder (Debian's qt6-translations-l10n); the program's own is always
// in the executable. Returns whether the program's own translation was found.
bool install(const QLocale& locale);

// install() with the default locale, which is the system's unless a test set another.
bool install();

}  // namespace language
