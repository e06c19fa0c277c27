#pragma once
// The window's design names Windows fonts. designFont() gives the nearest installed
// face at the design's character height in pixels; the Windows names are mapped to
// installed families once, through Qt's font substitution table.
#include <QFont>
#include <QString>
#include <QStringList>

// "MS Sans Serif", "新宋体", "宋体", "黑体", "楷体_GB2312" and "隶书" are mapped; any
// other face name is asked for as it is.
QFont designFont(const QString& face, int pixelHeight, bool bold);

// The families out of `installed` (the system's families, as QFontDatabase lists them)
// that show the design face `face`, best first: the face itself when it is installed,
// then the nearest faces of its kind, under the name the system lists them by (a Chinese
// Windows lists its Chinese faces by their Chinese names, an English one by their English
// names). Empty when none is installed.
QStringList designFaceFamilies(const QString& face, const QStringList& installed);
