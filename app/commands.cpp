#include "app/commands.h"

#include "data/errors.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "draw/cycle.h"
#include "platform/codec.h"
#include "platform/seams.h"

void SideCommands::N1Click() {
  const Text name = Trim(dialogs_.inputBox(T().questionCaption, T().inputPrompt, Text()));
  if (name.empty()) return;
  w_.poolAppend(name);
  w_.setPoolCaption(PoolCaption(w_.poolCount()));  // the count follows at once
}

void SideCommands::N2Click() {
  w_.poolDeleteSelected();
  w_.setPoolCaption(PoolCaption(w_.poolCount()));
}

void SideCommands::raiseToOne() {
  if (!w_.drawSizeHasValue() || w_.drawSizeValue() < 1) w_.setDrawSizeValue(1);
}

void SideCommands::SpinEdit1KeyPress(char& key) {
  if (key < '0' || key > '9') key = '\0';
  raiseToOne();
}

void SideCommands::SpinEdit1MouseDown() { raiseToOne(); }

// The editor opens the same file the program reads and writes: the draw folder under the
// current directory, made absolute. Afterwards no button keeps the focus: the draw-size
// field takes it, or during a draw (prize bar disabled) the window itself, so that Space
// and PageDown still stop the draw. With nothing on the machine to open the file, the
// error report names it, so the operator can open it by hand.
void SideCommands::openFile(const Text& relative) {
  if (w_.prizeBarEnabled())
    FocusStep(w_);
  else
    w_.focusWindow();
  const Text path = platform::fullPath(relative);
  if (!launcher_.openInEditor(path)) errors::throwNoOpener(path);
}

void SideCommands::Button3Click() { openFile(T().recordFile); }
void SideCommands::FlatButton2Click() { openFile(T().settingsFile); }
void SideCommands::FlatButton3Click() { openFile(T().prizeFile); }
void SideCommands::SpeedButton1Click() { openFile(T().candidateFile); }
