#pragma once
// The application's start: title, icon, the main window created from its design, its
// start-up handlers under the guard, first show. Kept apart from main() so that a test
// can run it with fake services.
#include "app/form1.h"

#include <memory>

// The application title (the program's taskbar entry; the error report's caption comes
// from the same text) and the application icon.
void setUpApplication();

// Creates the main window and brings it on screen: FormCreate, then FormShow (the
// continue question, before the window is visible), centring, show, the first focus.
// Nothing when another running copy of the program holds the draw folder (it has said so).
std::unique_ptr<TForm1> startMainWindow(TForm1::Services services);
