// Whether a window can be made, on systems where windows go through a display server
// (X11 or Wayland) that the environment names.
#include "app/cli.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace cli {

std::optional<std::string> missingDisplay(const Environment& env) {
  auto set = [&](const char* name) {
    const char* v = env(name);
    return v && *v;
  };
  const bool x11 = set("DISPLAY");
  const bool wayland = set("WAYLAND_DISPLAY");
  // QT_QPA_PLATFORM is a list of platforms to try in turn ("wayland;xcb"), each name
  // possibly followed by ":options".
  const char* chosen = env("QT_QPA_PLATFORM");
  QStringList platforms;
  if (chosen && *chosen) {
    for (const QString& entry : QString::fromLocal8Bit(chosen).split(QLatin1Char(';'), Qt::SkipEmptyParts))
      platforms << entry.section(QLatin1Char(':'), 0, 0).trimmed();
  }
  if (platforms.isEmpty()) {
    if (x11 || wayland) return std::nullopt;
    return QCoreApplication::translate(
               "CommandLine", "no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)")
        .toStdString();
  }
  for (const QString& p : platforms) {
    if (p == QLatin1String("xcb")) {
      if (x11) return std::nullopt;
    } else if (p.startsWith(QLatin1String("wayland"))) {
      if (wayland) return std::nullopt;
    } else {
      return std::nullopt;  // offscreen, vnc, eglfs...: no display server needed
    }
  }
  const QString first = platforms.first();
  return QCoreApplication::translate(
             "CommandLine", "no display to show the window on (%1 is not set for QT_QPA_PLATFORM=%2)")
      .arg(first == QLatin1String("xcb") ? QStringLiteral("DISPLAY") : QStringLiteral("WAYLAND_DISPLAY"),
           QString::fromLocal8Bit(chosen))
      .toStdString();
}

}  // namespace cli
