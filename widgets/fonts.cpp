#include "widgets/fonts.h"

#include <QFontDatabase>

#include <initializer_list>
#include <mutex>

namespace {

// The design's faces, each followed by the faces that come nearest to it, best first.
// A face that a Windows lists under a Chinese name on a Chinese system and an English
// name on others is given by both names. The families of Windows and of Linux never meet
// on one system, so one order serves both.
//
// Windows: 楷体_GB2312 is the Kai face's name up to Windows XP; Windows 7 and later have
// it as KaiTi (楷体; on an English Windows with the Chinese supplemental fonts), Office
// adds STKaiti (华文楷体), and SimSun (宋体) is on every Windows that shows Chinese. 隶书
// (LiSu) and STLiti (华文隶书) come only with Office; without them the Start button takes
// the Kai face. 黑体 (SimHei) is a supplemental font too; Microsoft YaHei is on every
// Windows.
// Linux: the brush faces go to AR PL UKai (fonts-arphic-ukai; no clerical script face is
// packaged), the Song faces to a serif CJK face, 黑体 to a sans CJK face (fonts-noto-cjk).
// The window font "MS Sans Serif" shows Chinese names too, so it goes to a sans face that
// has both scripts.
const QStringList& kaiFaces() {
  static const QStringList faces = QStringList{"楷体_GB2312", "KaiTi", "楷体", "STKaiti", "华文楷体"} +
                                   QStringList{"AR PL UKai CN"} +  // Linux
                                   QStringList{"SimSun", "宋体", "Noto Serif CJK SC"};
  return faces;
}

QStringList nearestFaces(const QString& face) {
  const QStringList songFaces{"SimSun", "宋体", "Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC"};
  if (face == u"MS Sans Serif") return {"Noto Sans CJK SC", "DejaVu Sans"};
  if (face == u"新宋体") return QStringList{"NSimSun", "新宋体"} + songFaces;
  if (face == u"宋体") return songFaces;
  if (face == u"黑体")
    return {"SimHei", "黑体", "Microsoft YaHei", "微软雅黑", "Noto Sans CJK SC", "DejaVu Sans"};
  if (face == u"楷体_GB2312") return kaiFaces();
  if (face == u"隶书") return QStringList{"LiSu", "隶书", "STLiti", "华文隶书"} + kaiFaces();
  return {};
}

}  // namespace

QStringList designFaceFamilies(const QString& face, const QStringList& installed) {
  QStringList chosen;
  for (const QString& wanted : QStringList{face} + nearestFaces(face)) {
    // Font family names match whatever their case, as the systems' own font lookups do.
    for (const QString& family : installed) {
      if (family.compare(wanted, Qt::CaseInsensitive) == 0 && !chosen.contains(family)) {
        chosen.append(family);
        break;
      }
    }
  }
  return chosen;
}

namespace {

// Registers the substitutions once.
void installDesignFontSubstitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    const QStringList installed = QFontDatabase::families();
    for (const char* face : {"MS Sans Serif", "新宋体", "宋体", "黑体", "楷体_GB2312", "隶书"}) {
      const QString name = QString::fromUtf8(face);
      QFont::insertSubstitutions(name, designFaceFamilies(name, installed));
    }
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
