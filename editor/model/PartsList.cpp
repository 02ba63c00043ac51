#include "PartsList.h"

#include "Global.h"

#include <map>
#include <numeric>
#include <utility>

namespace {

std::string CsvField(const std::string &Text) {
  if (Text.find_first_of(",\"\r\n") == std::string::npos)
    return Text;
  std::string Quoted = "\"";
  for (char C : Text)
    Quoted += C == '"' ? std::string("\"\"") : std::string(1, C);
  return Quoted + "\"";
}

} // namespace

std::vector<TPartsRow> PartsOf(const std::vector<int> &Numbers) {
  std::map<std::pair<int, int>, int> Counts;
  for (int N : Numbers)
    ++Counts[{Construction.Pieces[N].Kit, Construction.Pieces[N].Piece}];
  std::vector<TPartsRow> Rows;
  for (const auto &[Key, Count] : Counts) {
    uint8_t SX = 0, SY = 0, SZ = 0;
    Construction.Kits[Key.first].GetPiece(uint8_t(Key.second), &SX, &SY, &SZ);
    Rows.push_back({Key.first, Key.second, SX, SY, SZ, Count});
  }
  return Rows;
}

std::vector<TPartsRow> PartsList() {
  std::vector<int> All(Construction.PieceCount);
  std::iota(All.begin(), All.end(), 1);
  return PartsOf(All);
}

int PartsTotal(const std::vector<TPartsRow> &Rows) {
  int Total = 0;
  for (const TPartsRow &Row : Rows)
    Total += Row.Count;
  return Total;
}

std::string SizeText(const TPartsRow &Row) {
  return std::to_string(Row.SizeX) + " x " + std::to_string(Row.SizeY) + " x " +
         std::to_string(Row.SizeZ);
}

std::string PartsCsv(const std::vector<TPartsRow> &Rows) {
  std::string Csv = "kit,piece,size,count\n";
  for (const TPartsRow &Row : Rows)
    Csv += CsvField(Construction.KitNames[Row.Kit]) + "," + std::to_string(Row.Piece) + "," +
           SizeText(Row) + "," + std::to_string(Row.Count) + "\n";
  return Csv + "total,,," + std::to_string(PartsTotal(Rows)) + "\n";
}
