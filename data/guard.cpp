#include "data/guard.h"

#include "data/errors.h"
#include "platform/seams.h"

#include <new>

Text ReportText(const Text& message) {
  if (message.empty()) return message;
  // The last character: two bytes when the text ends in a GBK double-byte character.
  size_t i = 0, lastStart = 0;
  while (i < message.size()) {
    lastStart = i;
    const unsigned char c = static_cast<unsigned char>(message[i]);
    i += (c >= 0x81 && c <= 0xFE && i + 1 < message.size()) ? 2 : 1;
  }
  const bool doubleByte = message.size() - lastStart == 2;
  if (doubleByte || static_cast<unsigned char>(message[lastStart]) > '.') return message + ".";
  return message;
}

void ErrorReporter::reportCurrentException() {
  Text message;
  try {
    throw;
  } catch (const EError& e) {
    message = e.message();
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  report(message);
}

void ErrorReporter::report(const Text& message) {
  if (showing_) return;  // one report on screen at a time
  showing_ = true;
  ++shown_;
  try {
    dialogs_.errorBox(caption_, ReportText(message));
  } catch (...) {
  }
  showing_ = false;
}
