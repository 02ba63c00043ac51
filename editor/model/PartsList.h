// How many of each piece a construction, or one building step of it, uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPartsRow {
  int Kit;   // 1-based index into the kits in use
  int Piece; // 1-based within the kit
  int SizeX, SizeY, SizeZ; // cells, as the kit reports them
  int Count;
};

// One row for each kit and piece among the placed pieces Numbers, in kit
// order, then piece order.
std::vector<TPartsRow> PartsOf(const std::vector<int> &Numbers);

// The rows of every placed piece.
std::vector<TPartsRow> PartsList();

int PartsTotal(const std::vector<TPartsRow> &Rows);

// "W x L x H"
std::string SizeText(const TPartsRow &Row);

// The rows as CSV: the header "kit,piece,size,count", a line a row, then
// "total,,,N", each line ending in a line feed; a field holding a comma, a
// quote or a line break is quoted.
std::string PartsCsv(const std::vector<TPartsRow> &Rows);
