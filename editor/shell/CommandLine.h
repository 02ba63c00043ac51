// What the program was asked to do on its command line:
//
//   stavemont                      the interactive editor
//   stavemont FILE.cns             the editor, with that construction loaded
//   stavemont --render FILE.cns OUT.png [--size WxH] [--view NAME] [--scene-color RRGGBB]
//   stavemont --parts FILE.cns [OUT.csv|OUT.html]
//   stavemont --instructions FILE.cns OUT.pdf [--view NAME] [--size WxH] [--step-pieces N]
//   stavemont --check FILE.cns...
//   stavemont --export FILE.cns OUT.glb|OUT.obj|OUT.stl [--cell-mm N]
//   stavemont --version | --help
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TCommandLine {
  enum TKind { Edit, Render, Check, Export, Parts, Instructions, Version, Help, Wrong } Kind = Edit;
  std::vector<std::string> Files; // Edit: none or one; Render: the construction; Check: all
  std::string Picture; // Render: the PNG to write; Export: the model; Parts (empty: standard
                       // output) and Instructions: the file to write
  double CellMm = 10;             // Export: the edge of a cell in millimetres
  int Width = 800, Height = 600;  // Render, Instructions: the viewport's size
  int StepPieces = 12;            // Instructions: the most new pieces a step
  std::optional<std::string> View;
  std::optional<uint32_t> SceneColor; // red in the low byte, as the record keeps it
  std::string Problem;                // Wrong: what was wrong
};

// Reads the arguments after the program's name; never needs a display.
TCommandLine ParseCommandLine(const std::vector<std::string> &Arguments);

// The usage text --help prints (and a wrong command line, to standard error).
std::string UsageText();
