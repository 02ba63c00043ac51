// What a kit draws, recorded once when it is loaded: for every piece in every
// rotation its look drawing (see GlRecorder) and the textures it drew with,
// read back as the GL holds them. A piece's drawing is trusted only when its
// recording is, when the kit drew the same at two places, and when drawing
// the recording gives the picture the kit gives; otherwise the kit draws
// that piece itself, as it always did.
#pragma once

#include "model/Global.h"
#include "Sight.h"
#include "platform/GlRecorder.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// A texture a kit made, as the GL held it: every level's RGBA texels, and the
// parameters that sample it. The program draws recordings with its own copy.
struct TRecordedTexture {
  struct TLevel {
    int Width, Height;
    std::vector<uint8_t> Rgba;
  };
  std::vector<TLevel> Levels;
  int MinFilter = 0, MagFilter = 0, WrapS = 0, WrapT = 0;
  unsigned Copy = 0;      // the program's copy, in the set of shared objects Group
  unsigned CopyGroup = 0;
};

struct TKitDrawings {
  TRecording Look[MaxKitPieces + 1][5]; // [piece][rotation]
  TBoxShape Shape[MaxKitPieces + 1][5];
  std::map<unsigned, TRecordedTexture> Textures; // by the kit's own name
};

// The program's copies of a kit's textures in the current set of shared
// objects, to be deleted with the kit.
std::vector<unsigned> TextureCopies(const TKitDrawings &Drawings);

// Whether recorded drawings are drawn (the default), or every piece by its
// kit as it draws itself (STAVEMONT_DRAWING=immediate in the environment).
bool DrawFromRecordings();
void SetDrawFromRecordings(bool Recorded);

// Records every piece of Kit (bound, its catalogue known) in every
// rotation, reads back its textures and compares each recording with the
// kit's own drawing; Kit.Drawings holds the result.
void RecordKitDrawings(TKit &Kit);

// The trusted recording of a piece of Kit in Rotation, or nullptr.
const TRecording *TrustedLook(const TKit &Kit, uint8_t Piece, uint8_t Rotation);

// Makes the program's copy of a recorded texture current in the set of
// shared objects of the current context (making it there first) and returns
// its name.
unsigned TextureCopy(TKitDrawings &Drawings, unsigned KitTexture);

// Draws a piece's look at (X, Y, Z): from its recording where that is drawn
// and trusted, else by the kit itself.
void DrawPieceLookOf(const TKit &Kit, uint8_t Piece, uint8_t Rotation, double X, double Y, double Z);

// The pixels of two RGBA pictures whose colours differ in any channel by more
// than Tolerance.
int DifferentPixels(const std::vector<uint8_t> &A, const std::vector<uint8_t> &B, int Tolerance);
