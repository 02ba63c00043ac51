#include "StateLine.h"

#include "model/Global.h"

namespace {

const char *ModeName(char Mode) {
  switch (Mode) {
  case ModeRotate:
    return "Rotate";
  case ModeMove:
    return "Move";
  case ModeZoom:
    return "Zoom";
  case ModeSize:
    return "Size";
  case ModeInsert:
    return "Insert";
  case ModeExtract:
    return "Extract";
  default:
    return nullptr;
  }
}

} // namespace

std::string StateText(const std::string &Name, bool Unsaved, char Mode, const std::string &Note) {
  std::string Text = Name;
  if (Unsaved)
    Text += "\nUnsaved changes";
  const char *Shown = ModeName(Mode);
  Text += Shown ? std::string("\nMode: ") + Shown : std::string("\nNo mode");
  if (!Note.empty())
    Text += "\n" + Note;
  return Text;
}
