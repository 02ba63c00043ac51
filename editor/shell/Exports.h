// The Export command of the main window's Construction menu: 3-D models,
// building instructions and the parts list.
#pragma once

#include <string>

class QWidget;

// The dialog's filters, in order; the first is chosen at first.
inline constexpr const char *ExportFilters[] = {
    "glTF binary (*.glb)", "Wavefront OBJ (*.obj)", "STL for 3-D printing (*.stl)",
    "Building instructions (*.pdf)", "Parts list (*.html *.csv)"};

// Name with the first extension of the chosen Filter (one of ExportFilters)
// when it has the extension of no export format.
std::string WithFilterExtension(const std::string &Name, const std::string &Filter);

// Asks for a file in the data folder's Exports (an existing file's
// overwriting confirmed) and writes the construction to it in the format of
// the chosen filter, under the busy cursor; a failure shows in the error
// box and the construction does not change. A cancelled dialog writes
// nothing. Building instructions show their progress, pages made of pages,
// and may be cancelled; a cancelled book leaves no file.
void ChooseExportFile(QWidget *Parent);
