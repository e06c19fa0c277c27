#pragma once
// The OS's own GBK converter, one file per OS: ICU through Qt on Linux, code page 936 on
// Windows. The GB18030 layer (gb18030.cpp) builds on it.
#include "platform/text.h"

#include <QString>
#include <string_view>

namespace platform::os {

// Whether the converter is there at all.
bool gbkAvailable();

// GBK bytes to Unicode; false when any byte sequence is not GBK.
bool decodeGbk(std::string_view bytes, QString& out);

// Unicode to GBK bytes. A character GBK lacks comes out as some substitute, never as a
// look-alike of another character; the caller tells by decoding the bytes back.
Text encodeGbk(const QString& text);

}  // namespace platform::os
