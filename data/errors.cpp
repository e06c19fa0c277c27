#include "data/errors.h"

#include "data/textops.h"
#include "platform/characters.h"
#include "platform/codec.h"
#include "platform/message.h"

#include <QCoreApplication>

namespace errors {

Text quoted(const Text& text) {
  size_t at = 0;
  for (int chars = 0; at < text.size(); ++chars) {
    if (chars == kQuoteLimit) return text.substr(0, at) + platform::ansi("…");
    at += platform::charLength(text, at, platform::Pairing::AnyNext);
  }
  return text;
}

Text indexMessage(std::int64_t index) { return "List index out of bounds (" + IntToStr(index) + ")"; }

void throwIndex(std::int64_t index) { throw EStringListError(indexMessage(index)); }

void throwListIndex(std::int64_t index) { throw EListError(indexMessage(index)); }

namespace {

// "Cannot <verb> file "<full path>". <system text>"
Text fileMessage(const char* verb, const Text& ansiPath, const Text& systemText) {
  return Text("Cannot ") + verb + " file \"" + quoted(platform::fullPath(ansiPath)) + "\". " + systemText;
}

}  // namespace

void throwOpen(const Text& ansiPath, const Text& systemText) {
  throw EFOpenError(fileMessage("open", ansiPath, systemText));
}

void throwCreate(const Text& ansiPath, const Text& systemText) {
  throw EFCreateError(fileMessage("create", ansiPath, systemText));
}

Text failureMessage(const Text& ansiPath, const platform::FileResult& result) {
  switch (result.status) {
    case platform::FileResult::Ok:
      break;
    case platform::FileResult::OpenFailed:
      return fileMessage("open", ansiPath, result.systemText);
    case platform::FileResult::CreateFailed:
      return fileMessage("create", ansiPath, result.systemText);
    case platform::FileResult::ShortRead:
      return "Stream read error";
    case platform::FileResult::ShortWrite:
      return "Stream write error";
  }
  return {};
}

void throwIfFailed(const Text& ansiPath, const platform::FileResult& result) {
  const Text message = failureMessage(ansiPath, result);
  switch (result.status) {
    case platform::FileResult::Ok:
      return;
    case platform::FileResult::OpenFailed:
      throw EFOpenError(message);
    case platform::FileResult::CreateFailed:
      throw EFCreateError(message);
    case platform::FileResult::ShortRead:
      throw EReadError(message);
    case platform::FileResult::ShortWrite:
      throw EWriteError(message);
  }
}

void throwCannotFocus() { throw EInvalidOperation("Cannot focus a disabled or invisible window"); }

void throwNoOpener(const Text& ansiPath) {
  throw ELaunchError(platform::message(
      QCoreApplication::translate("Errors",
                                  "Cannot open file \"%1\" in an editor: no program to open it was found"),
      {platform::fullPath(ansiPath)}));
}

}  // namespace errors
