#include "data/startup.h"

#include "data/errors.h"
#include "data/filetext.h"
#include "data/namelist.h"
#include "data/session.h"
#include "data/stringlist.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/bitmap.h"
#include "platform/files.h"

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

bool IsBlankLine(std::string_view line) {
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

// The candidate list goes into the pool as one buffer: the file's bytes, turned into GB18030
// where needed, become the pool's names with the line breaks squeezed out; no name is
// copied one by one.
NameList LoadNameList(Window& w, const Text& ansiPath) {
  FileText text;
  {
    Text bytes;
    errors::throwIfFailed(ansiPath, platform::readWholeFile(ansiPath, bytes));
    text = AnsiFromFileBytes(bytes);
  }  // the file's own bytes are given back before the list is cut
  if (text.notConverted) w.notice(NotConvertedMessage(ansiPath, *text.notConverted));
  NameList names = NameList::FromText(std::move(text.ansi));
  // A blank line names no one: it never enters the pool.
  std::vector<int> blank;
  for (int i = 0; i < names.count(); ++i) {
    if (IsBlankLine(names.name(i))) blank.push_back(i);
  }
  if (!blank.empty()) names.erase(blank);
  return names;
}

void ReadMan(Window& w, const Text& path) {
  w.poolClear();
  w.poolAppendList(LoadNameList(w, path));
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
