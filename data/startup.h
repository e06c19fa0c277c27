#pragma once
// Reading the draw folder at start-up.
#include "data/namelist.h"
#include "data/stringlist.h"
#include "platform/text.h"

class Window;
struct Session;

// Loads one of the draw folder's text files. A Unicode file that cannot be turned into
// GBK is reported once through the window's notice and read as it stands.
TStringList LoadDrawFile(Window& w, const Text& ansiPath);

// Loads the candidate list file as the pool holds it, reporting a Unicode file that cannot
// be turned into GBK as LoadDrawFile does.
NameList LoadNameList(Window& w, const Text& ansiPath);

// Empties the pool and appends every line of the candidate list file, in file order.
void ReadMan(Window& w, const Text& path);

// The window's creation handler: pool, pool caption, picture, headline, prize count,
// slots shown and their names, in that order. An error ends it at the failing step;
// what earlier steps set stays.
void FormCreate(Window& w, Session& s);
