// The one program-wide record of the open construction and of the editing
// state, built only from fixed-capacity arrays addressed by 1-based indexes
// (element 0 of every such array is unused; 0 means "none").
#pragma once

#include "KitApi.h"
#include "KitEntry.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>

inline constexpr int MaxPieces = 62500;
inline constexpr int MaxViews = 100; // including the live camera
inline constexpr int MaxKits = 100;
inline constexpr int MaxAvailableKits = 100;
inline constexpr int MaxKitPieces = 100;
inline constexpr int SpinSteps = 8;
inline constexpr int PreviewSize = 113; // spin frames, thumbnails and previews

inline constexpr int MinBaseSide = 10, MaxBaseSide = 150;
inline constexpr int MinBaseHeight = 10, MaxBaseHeight = 100;

// The cell grid has one spare cell beyond the largest base in each direction.
inline constexpr int GridX = MaxBaseSide + 1, GridY = MaxBaseSide + 1, GridZ = MaxBaseHeight + 1;

// The colours of a new construction (red in the low byte): a light blue
// scene (158, 195, 232) over a green base (0, 128, 0).
inline constexpr uint32_t DefaultSceneColor = 0x00E8C39E;
inline constexpr uint32_t DefaultBaseColor = 0x00008000;

// Values of Mode.
inline constexpr char ModeNone = 0;
inline constexpr char ModeRotate = '3';
inline constexpr char ModeMove = '4';
inline constexpr char ModeZoom = '5';
inline constexpr char ModeSize = '6';
inline constexpr char ModeBusy = '7';
inline constexpr char ModeInsert = '8';
inline constexpr char ModeExtract = '9';

struct TPlacedPiece {
  uint16_t Kit;   // 1-based index into Kits and KitNames
  uint16_t Piece; // 1-based within the kit; kit calls pass its low 8 bits
  uint8_t X, Y, Z; // origin cell: the smallest corner of the rotated box
  uint8_t Rotation; // 1..4
};
static_assert(sizeof(TPlacedPiece) == 8);

struct TPosition {
  std::string Name; // at most 8 characters
  double Distance;
  double Tilt; // degrees, 0..90
  double Turn; // degrees, 0 <= Turn < 360
  double PanX, PanY;
};

struct TKitDrawings;

// One kit in use. Its entry points are called as functions; each call is
// guarded (see TKitEntry), and those that draw put the GL back when the kit
// fails part-way.
struct TKit {
  uint8_t KitPieceCount;
  void *Handle;
  TKitEntry<KitApi::TGetKit> GetKit;
  TKitEntry<KitApi::TBeginDrawKit, true> beginDrawKit;
  TKitEntry<KitApi::TGetPiece> GetPiece;
  TKitEntry<KitApi::TGetPieceVolume> GetPieceVolume;
  TKitEntry<KitApi::TDrawPieceLook, true> DrawPieceLook;
  TKitEntry<KitApi::TDrawPieceForm, true> DrawPieceForm;
  TKitEntry<KitApi::TDrawBaseLook, true> DrawBaseLook;
  TKitEntry<KitApi::TDrawBaseForm, true> DrawBaseForm;
  // The set of shared texture objects the kit last made its textures in
  // (0: none yet); see GlShareGroup.
  unsigned TexturesGroup;
  TBitmap Frames[MaxKitPieces + 1][SpinSteps + 1]; // [piece][step], 113 x 113
  TBitmap Thumbnails[MaxKitPieces + 1];            // [piece], 113 x 113
  // What the kit draws, recorded when it was loaded (see KitDrawings).
  std::shared_ptr<TKitDrawings> Drawings;
};

struct TConstruction {
  uint32_t SceneColor; // red in the low byte
  uint8_t SceneRed, SceneGreen, SceneBlue;
  uint32_t BaseColor;
  uint8_t BaseRed, BaseGreen, BaseBlue;
  uint16_t BaseWidth, BaseLength, BaseHeight;
  TPosition Views[MaxViews + 1]; // entry ViewCount is the live camera
  uint16_t ViewCount;
  uint16_t PieceCount;
  TPlacedPiece Pieces[MaxPieces + 1];
  uint16_t Occupancy[GridX][GridY][GridZ]; // [x][y][z], z fastest; 0 = empty
  TKit Kits[MaxKits + 1];
  uint16_t KitCount;
  std::string KitNames[MaxKits + 1];
  uint16_t AvailableKitCount;
  std::string AvailableKitNames[MaxAvailableKits + 1];
  // The library file (in the Kits folder) of each kit in use and available:
  // a kit's name is its file's name only up to the first ".".
  std::string KitFiles[MaxKits + 1];
  std::string AvailableKitFiles[MaxAvailableKits + 1];
  std::string FileName;

  // Editing state, never saved.
  char Mode;
  int32_t CurrentKit, CurrentPiece, CurrentRotation;
  uint8_t CurrentSizeX, CurrentSizeY, CurrentSizeZ;
  int32_t AnchorCell;
  uint16_t ViewportWidth, ViewportHeight;
  std::string ProgramDir; // with a trailing '/'
  uint8_t ChooserKit, ChooserPiece;
  // First row shown of each scrolled list of the main window, 1-based.
  uint16_t FirstShownView, FirstShownKit, FirstShownAvailableKit;
};

// The open construction. Zero-initialised at program start.
extern TConstruction Construction;

// Binds the eight entry points of a loaded kit library into Kit, looking each
// up by name in the fixed order of the kit interface, and keeps the handle.
// When one is missing nothing is changed, Missing names it and false is returned.
bool BindKitExports(TKit &Kit, void *Handle, void *(*Lookup)(void *Handle, const char *Name),
                    const char *&Missing);

// Makes piece Piece of kit Kit the piece to insert: rotation 1, its extents
// from the kit, anchored at its first footprint cell.
void ChoosePiece(int Kit, int Piece);

// Stores a colour and its three components in one step.
void SetSceneColor(uint32_t Color);
void SetBaseColor(uint32_t Color);
