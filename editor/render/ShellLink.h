// What the renders and edits need of the main window. The main window fills
// these in when it is created; until then they do nothing.
#pragma once

#include <functional>
#include <string>

struct TShellLink {
  std::function<void()> FocusMainWindow;    // give the keyboard focus back to it
  std::function<void()> InvalidatePreviews; // repaint the three preview pictures
  // Show a short note at viewport pixel (X, Y), such as why a click was refused.
  std::function<void(int X, int Y, const std::string &Text)> ShowNote;
  // Show the scene and base colours on the windows and swatches.
  std::function<void()> ShowColors;
  // Show the main window's state lines again (what the mouse is over changed).
  std::function<void()> ShowState;
};

extern TShellLink ShellLink;

void FocusMainWindow();
void InvalidatePreviews();
void ShowNote(int X, int Y, const std::string &Text);
void ShowColors();
void ShowState();
