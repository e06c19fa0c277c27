// Sounds through the Windows PlaySound call (no Qt Multimedia on Windows).
#include "platform/codec.h"
#include "platform/gui.h"
#include "platform/win.h"

#include <QDir>
#include <QFileInfo>

#include <mmsystem.h>

namespace platform {

namespace win {

void playSoundFile(const Text& ansiPath, PlaySoundCall play) {
  const QFileInfo file(nativePath(ansiPath));
  if (!file.isFile()) return;  // nothing to play, nothing to report
  const std::wstring path = QDir::toNativeSeparators(file.absoluteFilePath()).toStdWString();
  play(path.c_str(), nullptr, kSoundFlags);
}

}  // namespace win

struct SystemSound::Impl {};

SystemSound::SystemSound() = default;
SystemSound::~SystemSound() = default;

// PlaySound reads the file at each play; there is nothing to keep ready.
void SystemSound::prepare(const Text& ansiPath) { (void)ansiPath; }

// A new sound stops the one playing: PlaySound plays one sound at a time, from its start.
void SystemSound::play(const Text& ansiPath) { win::playSoundFile(ansiPath, &PlaySoundW); }

}  // namespace platform
