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
