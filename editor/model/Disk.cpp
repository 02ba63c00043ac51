#include "Disk.h"

#include "Occupancy.h"
#include "platform/ReadFile.h"
#include "platform/ReplaceFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

// Where each field of the record starts. The views and the pieces are stored
// column by column: one array per field, each sized for the full capacity.
constexpr size_t SceneColorAt = 0, BaseColorAt = 4;
constexpr size_t BaseWidthAt = 8, BaseLengthAt = 10, BaseHeightAt = 12;
constexpr size_t ViewCountAt = 14;
constexpr size_t NameField = 256;
constexpr size_t ViewNamesAt = 16;
constexpr size_t ViewDoublesAt = ViewNamesAt + MaxViews * NameField; // Distance, Tilt, Turn, PanX, PanY
constexpr size_t ViewColumn = MaxViews * sizeof(double);
constexpr size_t PieceCountAt = ViewDoublesAt + 5 * ViewColumn;
constexpr size_t PieceKitAt = PieceCountAt + 2;
constexpr size_t PiecePieceAt = PieceKitAt + 2 * MaxPieces;
constexpr size_t PieceXAt = PiecePieceAt + 2 * MaxPieces;
constexpr size_t PieceYAt = PieceXAt + MaxPieces;
constexpr size_t PieceZAt = PieceYAt + MaxPieces;
constexpr size_t PieceRotationAt = PieceZAt + MaxPieces;
constexpr size_t KitCountAt = PieceRotationAt + MaxPieces;
constexpr size_t KitNamesAt = KitCountAt + 2;
constexpr size_t PaddingAt = KitNamesAt + MaxKits * NameField;
static_assert(ViewDoublesAt == 25616 && PieceCountAt == 29616 && KitCountAt == 529618);
static_assert(PaddingAt + 4 == ConstructionFileSize);

constexpr size_t DistanceAt = ViewDoublesAt, TiltAt = DistanceAt + ViewColumn,
                 TurnAt = TiltAt + ViewColumn, PanXAt = TurnAt + ViewColumn,
                 PanYAt = PanXAt + ViewColumn;

// The view a file without views opens with.
constexpr TPosition DefaultFileView() { return {"", 80.0, 55.0, 0.0, 0.0, 0.0}; }

// ---- Little-endian fields ---------------------------------------------------

uint64_t GetBytes(const uint8_t *R, size_t At, int Count) {
  uint64_t V = 0;
  for (int B = Count - 1; B >= 0; --B)
    V = (V << 8) | R[At + B];
  return V;
}

void PutBytes(uint8_t *R, size_t At, uint64_t V, int Count) {
  for (int B = 0; B < Count; ++B, V >>= 8)
    R[At + B] = uint8_t(V & 0xFF);
}

uint16_t Get16(const uint8_t *R, size_t At) { return uint16_t(GetBytes(R, At, 2)); }
uint32_t Get32(const uint8_t *R, size_t At) { return uint32_t(GetBytes(R, At, 4)); }
double GetDouble(const uint8_t *R, size_t At) {
  return std::bit_cast<double>(GetBytes(R, At, 8));
}

void Put16(uint8_t *R, size_t At, uint16_t V) { PutBytes(R, At, V, 2); }
void Put32(uint8_t *R, size_t At, uint32_t V) { PutBytes(R, At, V, 4); }
void PutDouble(uint8_t *R, size_t At, double V) {
  PutBytes(R, At, std::bit_cast<uint64_t>(V), 8);
}

// A name field: the name's bytes from the first, cut to the field, then zeros.
void PutName(uint8_t *R, size_t At, const std::string &Name) {
  std::memcpy(R + At, Name.data(), std::min(Name.size(), NameField));
}

// The bytes of a name field before its first zero byte.
std::string GetName(const uint8_t *R, size_t At) {
  const uint8_t *Field = R + At;
  const uint8_t *End = std::find(Field, Field + NameField, uint8_t(0));
  return std::string(Field, End);
}

// Name without the blanks and control characters around it.
std::string Trimmed(const std::string &Name) {
  const auto Visible = [](char C) { return uint8_t(C) > 32; };
  const auto First = std::find_if(Name.begin(), Name.end(), Visible);
  const auto Last = std::find_if(Name.rbegin(), Name.rend(), Visible).base();
  return First < Last ? std::string(First, Last) : std::string();
}

// ---- Decoding ---------------------------------------------------------------

bool CheckCounts(const uint8_t *R, std::string &Reason) {
  const struct {
    size_t At;
    int Capacity;
    const char *What;
  } Counts[] = {{ViewCountAt, MaxViews, "views"},
                {PieceCountAt, MaxPieces, "pieces"},
                {KitCountAt, MaxKits, "kits"}};
  for (const auto &C : Counts) {
    const int Count = Get16(R, C.At);
    if (Count > C.Capacity) {
      Reason = "The file lists " + std::to_string(Count) + " " + C.What + "; at most " +
               std::to_string(C.Capacity) + " are possible.";
      return false;
    }
  }
  return true;
}

bool CheckBase(const TConstructionFile &File, std::string &Reason) {
  const auto Within = [](int V, int Low, int High) { return V >= Low && V <= High; };
  if (Within(File.BaseWidth, MinBaseSide, MaxBaseSide) &&
      Within(File.BaseLength, MinBaseSide, MaxBaseSide) &&
      Within(File.BaseHeight, MinBaseHeight, MaxBaseHeight))
    return true;
  Reason = "The base " + std::to_string(File.BaseWidth) + " x " + std::to_string(File.BaseLength) +
           " x " + std::to_string(File.BaseHeight) + " is outside " +
           std::to_string(MinBaseSide) + ".." + std::to_string(MaxBaseSide) + " x " +
           std::to_string(MinBaseSide) + ".." + std::to_string(MaxBaseSide) + " x " +
           std::to_string(MinBaseHeight) + ".." + std::to_string(MaxBaseHeight) + ".";
  return false;
}

std::vector<TPosition> DecodeViews(const uint8_t *R) {
  const int Count = Get16(R, ViewCountAt);
  if (Count == 0)
    return {DefaultFileView()};
  std::vector<TPosition> Views(Count);
  for (int I = 0; I < Count; ++I) {
    const size_t D = I * sizeof(double);
    Views[I] = {Trimmed(GetName(R, ViewNamesAt + I * NameField)), GetDouble(R, DistanceAt + D),
                GetDouble(R, TiltAt + D), GetDouble(R, TurnAt + D), GetDouble(R, PanXAt + D),
                GetDouble(R, PanYAt + D)};
  }
  return Views;
}

// Each kit is in use once: a second entry of the same kit could never be
// loaded, and the pieces' kit numbers would not name the kits they come from.
bool CheckKitNames(const std::vector<std::string> &Names, std::string &Reason) {
  for (size_t I = 0; I < Names.size(); ++I)
    if (std::find(Names.begin(), Names.begin() + I, Names[I]) != Names.begin() + I) {
      Reason = "The file names the kit \"" + Names[I] + "\" twice.";
      return false;
    }
  return true;
}

// A camera that is not a finite number draws nothing at all.
bool CheckViews(const std::vector<TPosition> &Views, std::string &Reason) {
  for (size_t I = 0; I < Views.size(); ++I) {
    const TPosition &V = Views[I];
    for (double Value : {V.Distance, V.Tilt, V.Turn, V.PanX, V.PanY})
      if (!std::isfinite(Value)) {
        Reason = "View " + std::to_string(I + 1) + " has a camera value that is not a finite number.";
        return false;
      }
  }
  return true;
}

std::vector<TPlacedPiece> DecodePieces(const uint8_t *R) {
  std::vector<TPlacedPiece> Pieces(Get16(R, PieceCountAt));
  for (size_t I = 0; I < Pieces.size(); ++I)
    Pieces[I] = {Get16(R, PieceKitAt + 2 * I), Get16(R, PiecePieceAt + 2 * I), R[PieceXAt + I],
                 R[PieceYAt + I], R[PieceZAt + I], R[PieceRotationAt + I]};
  return Pieces;
}

std::vector<std::string> DecodeKitNames(const uint8_t *R) {
  std::vector<std::string> Names(Get16(R, KitCountAt));
  for (size_t I = 0; I < Names.size(); ++I)
    Names[I] = GetName(R, KitNamesAt + I * NameField);
  return Names;
}

// ---- Checking pieces --------------------------------------------------------

std::string PieceText(size_t Index) { return "Piece " + std::to_string(Index + 1); }

// Whether piece P (index Index in the file) names a loaded kit, one of its
// pieces and a valid rotation.
bool CheckPieceNumbers(const TPlacedPiece &P, size_t Index, int KitCount, std::string &Reason) {
  if (P.Kit < 1 || P.Kit > KitCount) {
    Reason = PieceText(Index) + " uses kit " + std::to_string(P.Kit) + ", but only " +
             std::to_string(KitCount) + " kits are in use.";
    return false;
  }
  const int PieceCount = Construction.Kits[P.Kit].KitPieceCount;
  if (P.Piece < 1 || P.Piece > PieceCount) {
    Reason = PieceText(Index) + " is piece " + std::to_string(P.Piece) + " of kit \"" +
             Construction.KitNames[P.Kit] + "\", which has " + std::to_string(PieceCount) +
             " pieces.";
    return false;
  }
  if (P.Rotation < 1 || P.Rotation > 4) {
    Reason = PieceText(Index) + " has rotation " + std::to_string(P.Rotation) +
             "; rotations are 1 to 4.";
    return false;
  }
  return true;
}

// The grid a check stamps the file's pieces into to find overlaps, without
// touching the construction's own grid. It lasts as long as the program, so
// that a check neither allocates nor empties a whole grid: it empties again
// only the columns its pieces took. Pages never written cost no memory.
class TScratchGrid {
public:
  void Begin(const TConstructionFile &File) {
    Width = File.BaseWidth, Length = File.BaseLength, Height = File.BaseHeight;
    UsedX = UsedY = 0;
  }

  // Whether a box from the origin cell up to (not including) EndX, EndY, EndZ
  // lies inside the file's base.
  bool Fits(int EndX, int EndY, int EndZ) const {
    return EndX <= Width && EndY <= Length && EndZ <= Height;
  }

  // Such a box is about to be stamped.
  void Use(int EndX, int EndY) { UsedX = std::max(UsedX, EndX), UsedY = std::max(UsedY, EndY); }

  uint16_t &At(int X, int Y, int Z) { return Cells[X][Y][Z]; }

  // Only the columns below UsedX, UsedY hold anything; each is emptied whole.
  void End() {
    for (int X = 0; X < UsedX; ++X)
      std::memset(Cells[X], 0, UsedY * sizeof(Cells[X][0]));
  }

private:
  int Width = 0, Length = 0, Height = 0;
  int UsedX = 0, UsedY = 0;
  uint16_t Cells[GridX][GridY][GridZ] = {};
};

TScratchGrid Scratch;

// Writes piece P (index Index) into Grid, refusing when its box leaves the
// base or a solid cell is already taken.
bool StampScratch(TScratchGrid &Grid, const TPlacedPiece &P, size_t Index, std::string &Reason) {
  const TKit &Kit = Construction.Kits[P.Kit];
  const uint8_t Piece = uint8_t(P.Piece);
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(Piece, &SX, &SY, &SZ);
  const KitApi::TBoxSize Box = KitApi::RotatedBox(P.Rotation, SX, SY);
  if (!Grid.Fits(P.X + Box.X, P.Y + Box.Y, P.Z + SZ)) {
    Reason = PieceText(Index) + " at " + std::to_string(P.X) + ", " + std::to_string(P.Y) + ", " +
             std::to_string(P.Z) + " reaches beyond the base.";
    return false;
  }
  Grid.Use(P.X + Box.X, P.Y + Box.Y);
  return WalkSolidCells(Kit, Piece, P.Rotation, SX, SY, SZ, [&](int Dx, int Dy, int K) {
    uint16_t &Cell = Grid.At(P.X + Dx, P.Y + Dy, P.Z + K);
    if (Cell != 0) {
      Reason = PieceText(Index) + " overlaps piece " + std::to_string(Cell) + ".";
      return false;
    }
    Cell = uint16_t(Index + 1);
    return true;
  });
}

// ---- Files ------------------------------------------------------------------

bool Failed(const char *Action, const std::string &Path, int Error, std::string &Text) {
  Text = std::string("Unable to ") + Action + " " + Path + ": " + std::strerror(Error);
  return false;
}

std::string WrongSize(const std::string &Path, uintmax_t Size) {
  return Path + " is not a construction file: it holds " + std::to_string(Size) +
         " bytes, a construction file exactly " + std::to_string(ConstructionFileSize) + ".";
}

} // namespace

std::vector<uint8_t> EncodeConstruction() {
  std::vector<uint8_t> Record(ConstructionFileSize, 0);
  uint8_t *R = Record.data();
  const TConstruction &C = Construction;
  Put32(R, SceneColorAt, C.SceneColor);
  Put32(R, BaseColorAt, C.BaseColor);
  Put16(R, BaseWidthAt, C.BaseWidth);
  Put16(R, BaseLengthAt, C.BaseLength);
  Put16(R, BaseHeightAt, C.BaseHeight);

  const int Views = std::min<int>(C.ViewCount, MaxViews);
  Put16(R, ViewCountAt, uint16_t(Views));
  for (int I = 0; I < Views; ++I) {
    const TPosition &V = C.Views[I + 1];
    const size_t D = I * sizeof(double);
    PutName(R, ViewNamesAt + I * NameField, V.Name);
    PutDouble(R, DistanceAt + D, V.Distance);
    PutDouble(R, TiltAt + D, V.Tilt);
    PutDouble(R, TurnAt + D, V.Turn);
    PutDouble(R, PanXAt + D, V.PanX);
    PutDouble(R, PanYAt + D, V.PanY);
  }

  const int Pieces = std::min<int>(C.PieceCount, MaxPieces);
  Put16(R, PieceCountAt, uint16_t(Pieces));
  for (int I = 0; I < Pieces; ++I) {
    const TPlacedPiece &P = C.Pieces[I + 1];
    Put16(R, PieceKitAt + 2 * I, P.Kit);
    Put16(R, PiecePieceAt + 2 * I, P.Piece);
    R[PieceXAt + I] = P.X;
    R[PieceYAt + I] = P.Y;
    R[PieceZAt + I] = P.Z;
    R[PieceRotationAt + I] = P.Rotation;
  }

  const int Kits = std::min<int>(C.KitCount, MaxKits);
  Put16(R, KitCountAt, uint16_t(Kits));
  for (int I = 0; I < Kits; ++I)
    PutName(R, KitNamesAt + I * NameField, C.KitNames[I + 1]);
  return Record;
}

bool DecodeConstruction(const std::vector<uint8_t> &Record, TConstructionFile &File,
                        std::string &Reason) {
  if (Record.size() != ConstructionFileSize) {
    Reason = "The file holds " + std::to_string(Record.size()) +
             " bytes; a construction file holds exactly " +
             std::to_string(ConstructionFileSize) + ".";
    return false;
  }
  const uint8_t *R = Record.data();
  if (!CheckCounts(R, Reason))
    return false;
  TConstructionFile Decoded;
  Decoded.SceneColor = Get32(R, SceneColorAt);
  Decoded.BaseColor = Get32(R, BaseColorAt);
  Decoded.BaseWidth = Get16(R, BaseWidthAt);
  Decoded.BaseLength = Get16(R, BaseLengthAt);
  Decoded.BaseHeight = Get16(R, BaseHeightAt);
  if (!CheckBase(Decoded, Reason))
    return false;
  Decoded.Views = DecodeViews(R);
  if (!CheckViews(Decoded.Views, Reason))
    return false;
  Decoded.Pieces = DecodePieces(R);
  Decoded.KitNames = DecodeKitNames(R);
  if (!CheckKitNames(Decoded.KitNames, Reason))
    return false;
  File = std::move(Decoded);
  return true;
}

bool CheckPieces(const TConstructionFile &File, std::string &Reason) {
  if (!CheckBase(File, Reason))
    return false;
  const int KitCount = std::min<int>(Construction.KitCount, int(File.KitNames.size()));
  bool Accepted = true;
  Scratch.Begin(File);
  for (size_t I = 0; Accepted && I < File.Pieces.size(); ++I)
    Accepted = CheckPieceNumbers(File.Pieces[I], I, KitCount, Reason) &&
               StampScratch(Scratch, File.Pieces[I], I, Reason);
  Scratch.End();
  return Accepted;
}

void ApplyViews(const TConstructionFile &File) {
  const int Count = std::min<int>(int(File.Views.size()), MaxViews);
  Construction.ViewCount = uint16_t(Count);
  for (int I = 0; I < Count; ++I)
    Construction.Views[I + 1] = File.Views[I];
}

void ApplyColors(const TConstructionFile &File) {
  SetSceneColor(File.SceneColor);
  SetBaseColor(File.BaseColor);
}

// Empties the old base's cells, which may lie beyond the new base, and the
// new base's, each once.
void ApplyBase(const TConstructionFile &File) {
  const int FormerWidth = Construction.BaseWidth, FormerLength = Construction.BaseLength,
            FormerHeight = Construction.BaseHeight;
  Construction.BaseWidth = File.BaseWidth;
  Construction.BaseLength = File.BaseLength;
  Construction.BaseHeight = File.BaseHeight;
  ClearOccupancy(FormerWidth, FormerLength, FormerHeight);
}

// Writes the pieces into the grid ApplyBase has just emptied.
void ApplyPieces(const TConstructionFile &File) {
  const int Count = std::min<int>(int(File.Pieces.size()), MaxPieces);
  Construction.PieceCount = uint16_t(Count);
  for (int I = 0; I < Count; ++I) {
    Construction.Pieces[I + 1] = File.Pieces[I];
    StampPiece(uint16_t(I + 1));
  }
}

bool ReadConstructionFile(const std::string &Path, std::vector<uint8_t> &Record,
                          std::string &Error) {
  const TFileRead Result =
      ReadRegularFile(Path, ConstructionFileSize, ConstructionFileSize, Record);
  switch (Result.Status) {
  case TFileRead::Read:
    return true;
  case TFileRead::Missing:
    Error = "The file " + Path + " does not exist.";
    break;
  case TFileRead::NotRegular:
    Error = Path + " is not a construction file: it is not a regular file.";
    break;
  case TFileRead::WrongSize:
    Error = WrongSize(Path, Result.Size);
    break;
  case TFileRead::Shorter:
    Error = Path + " became shorter while it was read.";
    break;
  case TFileRead::Failed:
    Failed("read", Path, Result.Code, Error);
    break;
  }
  return false;
}

bool IsConstructionFile(const std::string &Path) {
  return !Construction.FileName.empty() && SameFile(Path, Construction.FileName);
}

bool WriteConstructionFile(const std::string &Path, const std::vector<uint8_t> &Record,
                           std::string &Error) {
  std::string Reason;
  if (ReplaceFile(Path, Record.data(), Record.size(), Reason))
    return true;
  Error = "Unable to write " + Path + ": " + Reason;
  return false;
}
