#include "platform/codec.h"
#include "platform/gui.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <map>

namespace platform {

struct QtSound::Impl {
  std::map<QString, std::unique_ptr<QSoundEffect>> effects;
};

QtSound::QtSound() : d_(std::make_unique<Impl>()) {}
QtSound::~QtSound() = default;

QSoundEffect* QtSound::effect(const Text& ansiPath) {
  const QString path = nativePath(ansiPath);
  if (!QFileInfo(path).isFile()) return nullptr;  // nothing to play, nothing to report
  auto& effect = d_->effects[path];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  }
  return effect.get();
}

void QtSound::prepare(const Text& ansiPath) { effect(ansiPath); }

void QtSound::play(const Text& ansiPath) {
  if (QSoundEffect* e = effect(ansiPath)) {
    e->stop();  // a sound started again begins from its start
    e->play();
  }
}

}  // namespace platform
