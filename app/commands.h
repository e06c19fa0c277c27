#pragma once
#include "platform/text.h"

// The side commands beside the draw: adding and deleting pool names, the draw-size
// field's guard, and the shortcuts that open the draw folder's files in an editor.
class Window;
namespace platform { class Dialogs; class Launcher; }

class SideCommands {
 public:
  SideCommands(Window& w, platform::Dialogs& dialogs, platform::Launcher& launcher)
      : w_(w), dialogs_(dialogs), launcher_(launcher) {}

  void N1Click();                     // "临时添加名单": append a trimmed name
  void N2Click();                     // "删除所选": delete the selected entries
  void SpinEdit1KeyPress(char& key);  // digits only; a missing or too small value becomes 1
  void SpinEdit1MouseDown();
  void Button3Click();       // the winners record
  void FlatButton2Click();   // "设置": the basic settings file
  void FlatButton3Click();   // "奖项": the prize names file
  void SpeedButton1Click();  // the candidate list file

 private:
  void raiseToOne();
  void openFile(const Text& relative);

  Window& w_;
  platform::Dialogs& dialogs_;
  platform::Launcher& launcher_;
};
