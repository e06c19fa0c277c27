// Sounds through Qt Multimedia.
#include "platform/codec.h"
#include "platform/gui.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <map>

namespace platform {

struct SystemSound::Impl {
  std::map<QString, std::unique_ptr<QSoundEffect>> effects;

  QSoundEffect* effect(const Text& ansiPath) {
    const QString path = nativePath(ansiPath);
    if (!QFileInfo(path).isFile()) return nullptr;  // nothing to play, nothing to report
    auto& effect = effects[path];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
    return effect.get();
  }
};

SystemSound::SystemSound() : d_(std::make_unique<Impl>()) {}
SystemSound::~SystemSound() = default;

void SystemSound::prepare(const Text& ansiPath) { d_->effect(ansiPath); }

void SystemSound::play(const Text& ansiPath) {
  if (QSoundEffect* e = d_->effect(ansiPath)) {
    e->stop();  // a sound started again begins from its start
    e->play();
  }
}

}  // namespace platform
