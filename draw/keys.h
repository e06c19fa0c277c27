#pragma once
// The keys that drive a draw, as the Windows virtual-key codes the window's key handler
// FormKeyUp receives (app/keypreview.h turns Qt's keys into these codes).
enum : int {
  VK_SPACE_KEY = 0x20,  // Space: Start or Stop
  VK_NEXT_KEY = 0x22,   // PageDown: Start or Stop unless the page-key lock is on
};
