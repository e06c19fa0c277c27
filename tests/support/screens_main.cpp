// The main() of the tests of the audience's view: Qt's offscreen platform with two screens
// side by side, the operator's laptop and a projector (tests/presenter/helpers.h names
// them). Screens are plugged in and out later through the platform itself.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  // In the current directory, so that the path to it is relative (no drive letter).
  QTemporaryDir dir(QDir::current().filePath(QStringLiteral("screens-XXXXXX")));
  const QString config = dir.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
      file.write(R"({"screens": [)"
                 R"({"name": "laptop", "x": 0, "y": 0, "width": 1280, "height": 800},)"
                 R"({"name": "projector", "x": 1280, "y": 0, "width": 1920, "height": 1080}]})") < 0) {
    std::fprintf(stderr, "cannot write the screens' file %s\n", qPrintable(config));
    return 2;
  }
  file.close();
  // Relative to the current directory: the platform's options are cut at every ":", and a
  // Windows path has one after its drive letter.
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QDir::current().relativeFilePath(config).toUtf8());
  // The offscreen platform's GLX variant answers no configuration changes.
  qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
