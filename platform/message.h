#pragma once
// The program's own messages in the operator's language. A message is written in English
// in the source and passed through Qt's translation function where it is made, so that
// lupdate finds it:
//
//   throw ELaunchError(platform::message(
//       QCoreApplication::translate("Errors", "Cannot open file \"%1\" in an editor"), {path}));
//
// The translation (English when none is installed) becomes ANSI bytes here, and %1, %2...
// are replaced by the given texts as they are, byte for byte: a path or a name is never
// turned into Unicode and back. (No byte of a character of several bytes is '%', so a '%' in the bytes is one.)
#include "platform/text.h"

#include <initializer_list>

class QString;

namespace platform {

Text message(const QString& translation, std::initializer_list<Text> args = {});

}  // namespace platform
