// The Capture command of the main window's Construction menu.
#pragma once

class QWidget;

// Asks for a PNG file in the program's Captures folder (the overwriting of
// an existing file confirmed) and writes the viewport's picture to it; a
// cancelled dialog writes nothing.
void ChooseCaptureFile(QWidget *Parent);
