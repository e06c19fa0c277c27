#pragma once
// The guard around every handler: it catches what a handler throws, shows the error
// report and returns, so the program carries on. At most one report is on screen at a
// time; errors raised while one is open (a failing timer tick, say) are not stacked up.
#include "platform/text.h"

#include <exception>
#include <utility>

namespace platform { class Dialogs; }

// The report's text: a full stop is appended when the message is not empty and its last
// character is greater than "." (a last character of more than one byte always gets one).
Text ReportText(const Text& message);

class ErrorReporter {
 public:
  ErrorReporter(platform::Dialogs& dialogs, Text caption)
      : dialogs_(dialogs), caption_(std::move(caption)) {}
  // Shows the report of the exception in flight; returns at once when a report is
  // already on screen.
  void reportCurrentException();
  // Shows a report with this message (a finding that does not end the handler); returns
  // at once when a report is already on screen.
  void report(const Text& message);
  bool showing() const { return showing_; }
  int shown() const { return shown_; }

 private:
  platform::Dialogs& dialogs_;
  Text caption_;
  bool showing_ = false;
  int shown_ = 0;
};

// Runs f under the guard. Returns true when f finished without an error.
template <class F>
bool Guarded(ErrorReporter& reporter, F&& f) {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    reporter.reportCurrentException();
    return false;
  }
}
