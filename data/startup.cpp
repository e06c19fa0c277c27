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

TStringList LoadDrawFile(Window& w, const Text& ansiPath) {
  TStringList list;
  list.LoadFromFile(ansiPath);
  if (list.loadNotice()) w.notice(*list.loadNotice());
  return list;
}

// The candidate list goes into the pool as one buffer: the file's bytes, turned into GBK
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
  return NameList::FromText(std::move(text.ansi));
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
