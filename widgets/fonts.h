#pragma once
// The window's design names Windows fonts. designFont() gives the nearest installed
// face at the design's character height in pixels; the Windows names are mapped to
// installed families once, through Qt's font substitution table.
#include <QFont>
#include <QString>

// "MS Sans Serif", "新宋体", "宋体", "黑体", "楷体_GB2312" and "隶书" are mapped; any
// other face name is asked for as it is.
QFont designFont(const QString& face, int pixelHeight, bool bold);
