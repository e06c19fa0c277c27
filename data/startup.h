#pragma once
// Reading the draw folder at start-up.
#include "data/namelist.h"
#include "data/stringlist.h"
#include "platform/text.h"

class Window;
struct Session;

// Loads one of the draw folder's text files. A file whose Unicode mark does not fit its
// bytes is reported once, every bad line in one notice, and read as it stands.
TStringList LoadDrawFile(Window& w, const Text& ansiPath);

// A line that holds nothing but blanks (spaces, tabs and other control bytes, the
// full-width space "　"), or nothing at all: it names no one.
bool IsBlankLine(std::string_view line);

// Loads the candidate list file as the pool holds it, leaving out blank lines, and reports
// a file whose Unicode mark does not fit its bytes as LoadDrawFile does.
NameList LoadNameList(Window& w, const Text& ansiPath);

// Empties the pool and appends every line of the candidate list file, in file order,
// leaving out blank lines.
void ReadMan(Window& w, const Text& path);

// The window's creation handler: pool, pool caption, picture, headline, prize count,
// slots shown and their names, in that order. An error ends it at the failing step;
// what earlier steps set stays.
void FormCreate(Window& w, Session& s);
