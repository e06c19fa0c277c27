#include "app/commands.h"

#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "draw/cycle.h"
#include "platform/codec.h"
#include "platform/seams.h"

void SideCommands::N1Click() {
  const Text name = Trim(dialogs_.inputBox(T().questionCaption, T().inputPrompt, Text()));
  if (!name.empty()) w_.poolAppend(name);
}

void SideCommands::N2Click() { w_.poolDeleteSelected(); }

void SideCommands::raiseToOne() {
  if (!w_.drawSizeHasValue() || w_.drawSizeValue() < 1) w_.setDrawSizeValue(1);
}

void SideCommands::SpinEdit1KeyPress(char& key) {
  if (key < '0' || key > '9') key = '\0';
  raiseToOne();
}

void SideCommands::SpinEdit1MouseDown() { raiseToOne(); }

// The editor opens the same file the program reads and writes: the draw folder under the
// current directory, made absolute.
void SideCommands::openFile(const Text& relative) {
  FocusStep(w_);
  launcher_.openInEditor(platform::fullPath(relative));
}

void SideCommands::Button3Click() { openFile(T().recordFile); }
void SideCommands::FlatButton2Click() { openFile(T().settingsFile); }
void SideCommands::SpeedButton1Click() { openFile(T().candidateFile); }
