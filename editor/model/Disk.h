// The construction file: its fixed-size little-endian record, built from the
// open construction, decoded and checked into a separate structure so that a
// refused file changes nothing, and written to disk without ever leaving a
// half-written file behind.
#pragma once

#include "Global.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t ConstructionFileSize = 555224;

// Everything a construction file holds, decoded but not yet applied.
struct TConstructionFile {
  uint32_t SceneColor = 0, BaseColor = 0;
  uint16_t BaseWidth = 0, BaseLength = 0, BaseHeight = 0;
  std::vector<TPosition> Views;       // never empty once decoded; Views[0] is view 1
  std::vector<TPlacedPiece> Pieces;   // Pieces[0] is piece 1
  std::vector<std::string> KitNames;  // KitNames[0] is kit 1
};

// The record of the open construction: views 1..ViewCount, pieces
// 1..PieceCount and the names of the kits in use, zeros everywhere else.
std::vector<uint8_t> EncodeConstruction();

// Decodes a record and checks what needs no kit: its size, the three counts
// and the base dimensions. On failure File is untouched and Reason says what
// is wrong.
bool DecodeConstruction(const std::vector<uint8_t> &Record, TConstructionFile &File,
                        std::string &Reason);

// Checks the pieces of File against the kits now loaded into Construction:
// each names a loaded kit and one of its pieces, has rotation 1..4, lies inside
// File's base and shares no solid cell with another. Changes nothing.
bool CheckPieces(const TConstructionFile &File, std::string &Reason);

// Each takes its part of a decoded file into Construction. The loader calls
// them in the order views, colours, base, pieces; ApplyPieces only after
// CheckPieces has accepted the file with its kits loaded.
void ApplyViews(const TConstructionFile &File);
void ApplyColors(const TConstructionFile &File);
void ApplyBase(const TConstructionFile &File); // also empties the cell grid
void ApplyPieces(const TConstructionFile &File); // into the grid ApplyBase emptied

// Reads a whole construction file. A missing, unreadable or wrongly sized
// file gives false and the reason in Error.
bool ReadConstructionFile(const std::string &Path, std::vector<uint8_t> &Record,
                          std::string &Error);

// Whether Path names the open construction's own file (FileName), through
// any link: nothing else may be written over it.
bool IsConstructionFile(const std::string &Path);

// Writes Record to a fresh file beside Path, flushes it to the disk and only
// then puts it in Path's place. On failure the fresh file is removed, whatever
// was at Path is left as it was, and Error says why.
bool WriteConstructionFile(const std::string &Path, const std::vector<uint8_t> &Record,
                           std::string &Error);
