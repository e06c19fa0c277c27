#include "data/guard.h"

#include "data/errors.h"
#include "platform/characters.h"
#include "platform/message.h"
#include "platform/seams.h"

#include <QCoreApplication>

#include <new>

Text ReportText(const Text& message) {
  if (message.empty()) return message;
  const size_t last = platform::lastCharStart(message, platform::Pairing::AnyNext);
  const bool manyBytes = message.size() - last > 1;
  if (manyBytes || static_cast<unsigned char>(message[last]) > '.') return message + ".";
  return message;
}

void ErrorReporter::reportCurrentException() {
  Text message;
  try {
    throw;
  } catch (const EError& e) {
    message = e.message();
  } catch (const std::bad_alloc&) {
    message = platform::message(QCoreApplication::translate("Guard", "Out of memory"));
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = platform::message(QCoreApplication::translate("Guard", "Unknown error"));
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
