#include "data/startup.h"

#include "data/errors.h"
#include "data/session.h"
#include "data/stringlist.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/bitmap.h"

#include <algorithm>
#include <vector>

namespace {

// Reads the picture file as a Windows bitmap; the window's picture changes only when the
// whole file has been decoded.
void loadPicture(Window& w, const Text& path) {
  platform::BitmapResult r = platform::readBitmap(path);
  switch (r.status) {
    case platform::BitmapResult::Ok:
      w.setPicture(r.picture);
      return;
    case platform::BitmapResult::OpenFailed:
      errors::throwOpen(path, r.systemText);
    case platform::BitmapResult::NotBitmap:
      throw EInvalidGraphic("Bitmap image is not valid");
    case platform::BitmapResult::ReadFailed:
      throw EReadError("Stream read error");
  }
}

}  // namespace

bool IsBlankLine(const Text& line) {
  // Walked from the line's start, so a full-width space is always read as one character.
  for (size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c <= 0x20) {
      ++i;
    } else if (c == 0xA1 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) == 0xA1) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

TStringList LoadDrawFile(Window& w, const Text& ansiPath) {
  TStringList list;
  list.LoadFromFile(ansiPath);
  if (list.loadNotice()) w.notice(*list.loadNotice());
  return list;
}

void ReadMan(Window& w, const Text& path) {
  w.poolClear();
  std::vector<Text> names = LoadDrawFile(w, path).lines();
  names.erase(std::remove_if(names.begin(), names.end(), IsBlankLine), names.end());
  w.poolAppendAll(names);
}

void FormCreate(Window& w, Session& s) {
  ReadMan(w, T().candidateFile);
  w.setPoolCaption(PoolCaption(w.poolCount()));

  const TStringList settings = LoadDrawFile(w, T().settingsFile);
  loadPicture(w, T().drawFolder + "\\" + settings.Get(1));
  w.setHeadline(settings.Get(3));
  s.prizeCount = StrToInt(settings.Get(5));
  for (int k = 2; k <= kSlotCount; ++k)  // slot 1 is shown from the design on
    if (s.slotInUse(k)) w.showSlot(k);

  const TStringList prizes = LoadDrawFile(w, T().prizeFile);
  for (int k = 1; k <= kSlotCount; ++k)
    if (s.prizeCountReaches(k)) w.setSlotCaption(k, prizes.Get(k - 1));
}
