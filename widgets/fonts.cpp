#include "widgets/fonts.h"

#include <QStringList>

#include <mutex>

namespace {

// Registers the substitutions once.
void installDesignFontSubstitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Each Windows face is followed by the installed families that come nearest to it,
    // best first: Song faces (宋体, 新宋体) to a serif CJK face, the bold sans 黑体 to a
    // sans CJK face, the brush faces (楷体, and 隶书, for which no clerical script face is
    // packaged) to a Kai face. The window font "MS Sans Serif" shows Chinese names too,
    // so it goes to a sans face that has both scripts.
    const QString notoSans = QStringLiteral("Noto Sans CJK SC");
    const QString notoSerif = QStringLiteral("Noto Serif CJK SC");
    const QString kai = QStringLiteral("AR PL UKai CN");
    const QString ming = QStringLiteral("AR PL UMing CN");
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {notoSans, dejaVu});
    QFont::insertSubstitutions(QStringLiteral("新宋体"), {notoSerif, ming, notoSans});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {notoSerif, ming, notoSans});
    QFont::insertSubstitutions(QStringLiteral("黑体"), {notoSans, dejaVu});
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"), {kai, notoSerif});
    QFont::insertSubstitutions(QStringLiteral("隶书"), {kai, notoSerif});
  });
}

}  // namespace

QFont designFont(const QString& face, int pixelHeight, bool bold) {
  installDesignFontSubstitutions();
  QFont font(face);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}
