#pragma once
// The program's error kinds. A failing operation throws one; the guard around every
// handler catches it and shows its message (see guard.h). Handlers do not catch.
#include "platform/files.h"
#include "platform/text.h"

#include <cstdint>
#include <exception>

class EError : public std::exception {
 public:
  EError(const char* kind, Text message) : kind_(kind), message_(std::move(message)) {}
  const char* kind() const noexcept { return kind_; }
  const Text& message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  const char* kind_;
  Text message_;
};

#define LUCKYDRAW_ERROR_KIND(Name)                                      \
  class Name : public EError {                                          \
   public:                                                              \
    explicit Name(Text message) : EError(#Name, std::move(message)) {}  \
  };

LUCKYDRAW_ERROR_KIND(EStringListError)   // line or pool entry index out of range
LUCKYDRAW_ERROR_KIND(EListError)         // selected flag index out of range
LUCKYDRAW_ERROR_KIND(EConvertError)      // text is not an integer
LUCKYDRAW_ERROR_KIND(EFOpenError)        // file cannot be opened for reading
LUCKYDRAW_ERROR_KIND(EFCreateError)      // file cannot be created for writing
LUCKYDRAW_ERROR_KIND(EWriteError)        // fewer bytes written than asked
LUCKYDRAW_ERROR_KIND(EReadError)         // fewer bytes read than expected
LUCKYDRAW_ERROR_KIND(EInvalidGraphic)    // picture file is not a bitmap
LUCKYDRAW_ERROR_KIND(EOutOfResources)    // the pool refuses a new entry
LUCKYDRAW_ERROR_KIND(EInvalidOperation)  // focus to a disabled or hidden control
LUCKYDRAW_ERROR_KIND(ELaunchError)       // no program found to open a file with

#undef LUCKYDRAW_ERROR_KIND

namespace errors {
// A text quoted inside a message (a file's full path, a text that is not an integer), as
// the report shows it: one of more than kQuoteLimit characters keeps its first
// kQuoteLimit characters (a character of several bytes counts one and is never split)
// followed by "…", so that one huge line cannot make a huge message box.
inline constexpr int kQuoteLimit = 200;
Text quoted(const Text& text);
// "List index out of bounds (%d)"
Text indexMessage(std::int64_t index);
[[noreturn]] void throwIndex(std::int64_t index);      // EStringListError
[[noreturn]] void throwListIndex(std::int64_t index);  // EListError
// "Cannot open file "%s". %s" / "Cannot create file "%s". %s" with the full path.
[[noreturn]] void throwOpen(const Text& ansiPath, const Text& systemText);
[[noreturn]] void throwCreate(const Text& ansiPath, const Text& systemText);
// The message of the error that a failed read or write of `ansiPath` stands for: the open
// or create error's, "Stream read error" or "Stream write error"; empty when it succeeded.
Text failureMessage(const Text& ansiPath, const platform::FileResult& result);
// Throws that error, of its kind. Returns when it succeeded.
void throwIfFailed(const Text& ansiPath, const platform::FileResult& result);
// "Cannot focus a disabled or invisible window"
[[noreturn]] void throwCannotFocus();
// "Cannot open file "%s" in an editor: no program to open it was found" with the full path.
[[noreturn]] void throwNoOpener(const Text& ansiPath);
}  // namespace errors
