#include "KitDrawings.h"

#include "Construction.h"
#include "Render.h"
#include "model/Occupancy.h"
#include "platform/GlSurface.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

// The second place each piece is recorded at, to see that the kit draws the
// same wherever it is asked to.
constexpr double AwayX = 7, AwayY = 5, AwayZ = 3;

bool &Recorded() {
  static bool Drawn = [] {
    const char *Choice = std::getenv("STAVEMONT_DRAWING");
    return !(Choice && std::strcmp(Choice, "immediate") == 0);
  }();
  return Drawn;
}

bool Near(float A, float B) { return std::abs(A - B) <= 1e-4f; }

// Whether Away is Here moved by the offset of the second place.
bool SameDrawingMoved(const TRecording &Here, const TRecording &Away) {
  if (Here.Batches.size() != Away.Batches.size())
    return false;
  for (size_t B = 0; B < Here.Batches.size(); ++B) {
    const TRecordedBatch &H = Here.Batches[B], &A = Away.Batches[B];
    if (H.Mode != A.Mode || H.Texture != A.Texture || H.Vertices.size() != A.Vertices.size())
      return false;
    for (size_t V = 0; V < H.Vertices.size(); ++V) {
      TRecordedVertex Moved = A.Vertices[V];
      const TRecordedVertex &Was = H.Vertices[V];
      if (!Near(Moved.X - float(AwayX), Was.X) || !Near(Moved.Y - float(AwayY), Was.Y) ||
          !Near(Moved.Z - float(AwayZ), Was.Z))
        return false;
      Moved.X = Was.X, Moved.Y = Was.Y, Moved.Z = Was.Z;
      if (!(Moved == Was))
        return false;
    }
  }
  return true;
}

void RecordPiece(TKit &Kit, uint8_t Piece, uint8_t Rotation, TRecording &Look) {
  TRecording Away;
  BeginRecording(Look);
  Kit.DrawPieceLook(Piece, Rotation, 0, 0, 0);
  EndRecording();
  BeginRecording(Away);
  Kit.DrawPieceLook(Piece, Rotation, AwayX, AwayY, AwayZ);
  EndRecording();
  if (Look.Trusted && (!Away.Trusted || !SameDrawingMoved(Look, Away))) {
    Look.Trusted = false;
    Look.Untrusted = Away.Trusted ? "not the same drawing at two places" : Away.Untrusted;
  }
  Look.LeavesState = Look.LeavesState || Away.LeavesState;
}

// The kit's texture as the GL holds it; no levels when the name holds none.
TRecordedTexture ReadTexture(unsigned Name) {
  TRecordedTexture Texture;
  if (!glIsTexture(Name))
    return Texture;
  glBindTexture(GL_TEXTURE_2D, Name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (int Level = 0;; ++Level) {
    GLint Width = 0, Height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, Level, GL_TEXTURE_WIDTH, &Width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, Level, GL_TEXTURE_HEIGHT, &Height);
    if (Width <= 0 || Height <= 0)
      break;
    TRecordedTexture::TLevel L{Width, Height, std::vector<uint8_t>(size_t(Width) * Height * 4)};
    glGetTexImage(GL_TEXTURE_2D, Level, GL_RGBA, GL_UNSIGNED_BYTE, L.Rgba.data());
    Texture.Levels.push_back(std::move(L));
  }
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &Texture.MinFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &Texture.MagFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &Texture.WrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &Texture.WrapT);
  glBindTexture(GL_TEXTURE_2D, 0);
  return Texture;
}

// Reads back every texture the trusted recordings draw with; a recording
// whose texture holds no image is not trusted after all.
void ReadTextures(TKitDrawings &Drawings, int PieceCount) {
  for (int P = 1; P <= PieceCount; ++P)
    for (int R = 1; R <= 4; ++R) {
      TRecording &Look = Drawings.Look[P][R];
      for (const TRecordedBatch &Batch : Look.Batches) {
        if (!Batch.Texture || !Look.Trusted)
          continue;
        auto It = Drawings.Textures.find(Batch.Texture);
        if (It == Drawings.Textures.end())
          It = Drawings.Textures.emplace(Batch.Texture, ReadTexture(Batch.Texture)).first;
        if (It->second.Levels.empty()) {
          Look.Trusted = false;
          Look.Untrusted = "a texture without an image";
        }
      }
    }
}

void DrawBatches(TKitDrawings &Drawings, const TRecording &Look) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  for (const TRecordedBatch &Batch : Look.Batches) {
    if (Batch.Vertices.empty())
      continue;
    const TRecordedVertex *V = Batch.Vertices.data();
    const GLsizei Stride = sizeof(TRecordedVertex);
    glVertexPointer(3, GL_FLOAT, Stride, &V->X);
    glNormalPointer(GL_FLOAT, Stride, &V->NX);
    glTexCoordPointer(2, GL_FLOAT, Stride, &V->S);
    glColorPointer(4, GL_UNSIGNED_BYTE, Stride, &V->Red);
    if (Batch.Texture) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, TextureCopy(Drawings, Batch.Texture));
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glDrawArrays(Batch.Mode, 0, GLsizei(Batch.Vertices.size()));
  }
  glDisable(GL_TEXTURE_2D);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
}

// One quarter of the picture per rotation, each seeing the piece whole from
// above and aside, as the spin frames see it.
void DrawComparison(TKit &Kit, uint8_t Piece, bool FromRecording) {
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(Piece, &SX, &SY, &SZ);
  const double Extent = std::max({double(SX), double(SY), double(SZ)});
  GLint Whole[4];
  glGetIntegerv(GL_VIEWPORT, Whole);
  const int W = Whole[2] / 2, H = Whole[3] / 2;
  for (uint8_t Rotation = 1; Rotation <= 4; ++Rotation) {
    glViewport((Rotation - 1) % 2 * W, (Rotation - 1) / 2 * H, W, H);
    glPushMatrix();
    glTranslated(0, 0, -(1.8 * Extent + 3));
    glRotated(60, 1, 0, 0);
    glRotated(30, 0, 0, 1);
    const KitApi::TBoxSize Box = KitApi::RotatedBox(Rotation, SX, SY);
    glTranslated(-Box.X / 2.0, -Box.Y / 2.0, -SZ / 2.0);
    if (FromRecording)
      DrawBatches(*Kit.Drawings, Kit.Drawings->Look[Piece][Rotation]);
    else
      Kit.DrawPieceLook(Piece, Rotation, 0, 0, 0);
    glPopMatrix();
  }
  glViewport(Whole[0], Whole[1], Whole[2], Whole[3]);
}

std::vector<uint8_t> ComparisonPicture(TKit &Kit, uint8_t Piece, bool FromRecording) {
  AspectRatio = 1.0, NearPlane = 3.0, FarPlane = 500.0;
  std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, true, 255, 255, 255);
  if (!Context)
    return {};
  DrawComparison(Kit, Piece, FromRecording);
  std::vector<uint8_t> Pixels(size_t(RenderSize) * RenderSize * 4);
  Context->ReadPixels(0, 0, RenderSize, RenderSize, Pixels.data());
  endDraw(true, false, std::move(Context));
  return Pixels;
}

// The recordings of a piece in all rotations are trusted only when they draw
// what the kit draws.
void CompareWithTheKit(TKit &Kit, uint8_t Piece) {
  TRecording *Looks = Kit.Drawings->Look[Piece];
  if (!std::all_of(Looks + 1, Looks + 5, [](const TRecording &L) { return L.Trusted; }))
    return;
  const std::vector<uint8_t> Kits = ComparisonPicture(Kit, Piece, false),
                             Mine = ComparisonPicture(Kit, Piece, true);
  if (Kits.size() == Mine.size() && !Kits.empty() && DifferentPixels(Kits, Mine, 32) <= 8)
    return;
  for (int R = 1; R <= 4; ++R) {
    Looks[R].Trusted = false;
    Looks[R].Untrusted = "its drawing differs from the kit's";
  }
}

// What can be seen of a trusted recording of piece Piece, turned by Rotation.
TBoxShape ShapeOf(const TKit &Kit, uint8_t Piece, uint8_t Rotation, const TRecording &Look) {
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(Piece, &SX, &SY, &SZ);
  const KitApi::TBoxSize Box = KitApi::RotatedBox(Rotation, SX, SY);
  return SightOf(Look, Box.X, Box.Y, SZ);
}

} // namespace

bool DrawFromRecordings() { return Recorded(); }

void SetDrawFromRecordings(bool Drawn) { Recorded() = Drawn; }

void RecordKitDrawings(TKit &Kit) {
  Kit.Drawings = std::make_shared<TKitDrawings>();
  AspectRatio = 1.0, NearPlane = 3.0, FarPlane = 500.0;
  {
    std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, true, 255, 255, 255);
    if (!Context) { // nothing can be read back: the kit draws itself
      for (auto &Piece : Kit.Drawings->Look)
        for (TRecording &Look : Piece)
          Look.Trusted = false;
      return;
    }
    for (uint8_t P = 1; P <= Kit.KitPieceCount; ++P)
      for (uint8_t R = 1; R <= 4; ++R)
        RecordPiece(Kit, P, R, Kit.Drawings->Look[P][R]);
    ReadTextures(*Kit.Drawings, Kit.KitPieceCount);
    endDraw(true, false, std::move(Context));
    Kit.TexturesGroup = GlShareGroup(); // the kit's textures live on in the set
  }
  for (uint8_t P = 1; P <= Kit.KitPieceCount; ++P) {
    CompareWithTheKit(Kit, P);
    for (uint8_t R = 1; R <= 4; ++R)
      if (Kit.Drawings->Look[P][R].Trusted)
        Kit.Drawings->Shape[P][R] = ShapeOf(Kit, P, R, Kit.Drawings->Look[P][R]);
  }
}

const TRecording *TrustedLook(const TKit &Kit, uint8_t Piece, uint8_t Rotation) {
  if (!Kit.Drawings || Piece < 1 || Piece > MaxKitPieces)
    return nullptr;
  const TRecording &Look = Kit.Drawings->Look[Piece][KitApi::EffectiveRotation(Rotation)];
  return Look.Trusted ? &Look : nullptr;
}

unsigned TextureCopy(TKitDrawings &Drawings, unsigned KitTexture) {
  TRecordedTexture &T = Drawings.Textures[KitTexture];
  if (T.Copy && T.CopyGroup == GlShareGroup())
    return T.Copy;
  glGenTextures(1, &T.Copy);
  T.CopyGroup = GlShareGroup();
  glBindTexture(GL_TEXTURE_2D, T.Copy);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (size_t L = 0; L < T.Levels.size(); ++L)
    glTexImage2D(GL_TEXTURE_2D, GLint(L), GL_RGBA8, T.Levels[L].Width, T.Levels[L].Height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, T.Levels[L].Rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(T.Levels.size()) - 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, T.MinFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, T.MagFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, T.WrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, T.WrapT);
  return T.Copy;
}

void DrawPieceLookOf(const TKit &Kit, uint8_t Piece, uint8_t Rotation, double X, double Y, double Z) {
  const TRecording *Look = DrawFromRecordings() ? TrustedLook(Kit, Piece, Rotation) : nullptr;
  if (!Look) {
    Kit.DrawPieceLook(Piece, Rotation, X, Y, Z);
    return;
  }
  glPushMatrix();
  glTranslated(X, Y, Z);
  DrawBatches(*Kit.Drawings, *Look);
  glPopMatrix();
}

std::vector<unsigned> TextureCopies(const TKitDrawings &Drawings) {
  std::vector<unsigned> Names;
  for (const auto &[Name, Texture] : Drawings.Textures)
    if (Texture.Copy && Texture.CopyGroup == GlShareGroup())
      Names.push_back(Texture.Copy);
  return Names;
}

int DifferentPixels(const std::vector<uint8_t> &A, const std::vector<uint8_t> &B, int Tolerance) {
  int Count = 0;
  for (size_t P = 0; P + 3 < A.size() && P + 3 < B.size(); P += 4)
    for (int C = 0; C < 3; ++C)
      if (std::abs(int(A[P + C]) - int(B[P + C])) > Tolerance) {
        ++Count;
        break;
      }
  return Count;
}
