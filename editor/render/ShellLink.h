// What the renders and edits need of the main window. The main window fills
// these in when it is created; until then they do nothing.
#pragma once

#include <functional>

struct TShellLink {
  std::function<void()> FocusMainWindow;    // give the keyboard focus back to it
  std::function<void()> InvalidatePreviews; // repaint the three preview pictures
};

extern TShellLink ShellLink;

void FocusMainWindow();
void InvalidatePreviews();
