#include "ShellLink.h"

TShellLink ShellLink;

void FocusMainWindow() {
  if (ShellLink.FocusMainWindow)
    ShellLink.FocusMainWindow();
}

void InvalidatePreviews() {
  if (ShellLink.InvalidatePreviews)
    ShellLink.InvalidatePreviews();
}

void ShowNote(int X, int Y, const std::string &Text) {
  if (ShellLink.ShowNote)
    ShellLink.ShowNote(X, Y, Text);
}

void ShowColors() {
  if (ShellLink.ShowColors)
    ShellLink.ShowColors();
}

void ShowState() {
  if (ShellLink.ShowState)
    ShellLink.ShowState();
}
