// Draws pieces of the Marbelo kit into an offscreen framebuffer and reads the
// pixels back. Pictures are unlit and orthographic, so a point of the world
// lands on a known pixel: pick codes are compared exactly, look colours within
// a tolerance at the middle of faces large enough on screen.
#include "KitApi.h"
#include "MarbeloKit.h"
#include "OffscreenGl.h"
#include "TexturesImg.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <vector>

std::ostream &operator<<(std::ostream &Out, const TRgb &C) {
  return Out << '(' << int(C.Red) << ", " << int(C.Green) << ", " << int(C.Blue) << ')';
}

namespace {

using namespace KitApi;

enum : uint8_t {
  BlueOne = 1, BlueTwo, BlueThree, BlueFour, Eight, Door, Window,
  RoofEight, RoofTwo, RoofEight2, RoofTwo2
};

struct TPoint {
  double X, Y, Z;
};

struct TSize {
  int X, Y, Z;
};

TKit Kit; // holds the kit's bitmaps: too big for the stack
bool KitBound = false;

bool Near(TRgb C, int Red, int Green, int Blue, int Tolerance) {
  return std::abs(C.Red - Red) <= Tolerance && std::abs(C.Green - Green) <= Tolerance &&
         std::abs(C.Blue - Blue) <= Tolerance;
}

bool IsBlue(TRgb C) { return Near(C, 0, 0, 255, 40); }
bool IsWhite(TRgb C) { return Near(C, 255, 255, 255, 40); }
bool IsRed(TRgb C) { return Near(C, 255, 0, 0, 40); }

// Rotations 2 and 4 turn the box a quarter: x and y swap on the ground.
TSize Turned(TSize S, uint8_t Rotation) {
  return (Rotation == 2 || Rotation == 4) ? TSize{S.Y, S.X, S.Z} : S;
}

class KitDraw : public testing::Test {
protected:
  static void SetUpTestSuite() {
    if (!KitBound)
      KitBound = BindMarbelo(Kit);
  }

  void SetUp() override {
    ASSERT_TRUE(KitBound) << "cannot load " << MarbeloPath();
    Open(256, 16);
  }

  // A fresh context with its own framebuffer; the kit is told that a new
  // context begins, as the editor does.
  void Open(int Pixels, double PixelsPerCell) {
    Gl.reset();
    Gl = std::make_unique<TOffscreenGl>(Pixels, Pixels);
    ASSERT_TRUE(Gl->IsReady());
    Scale = PixelsPerCell;
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    Kit.beginDrawKit();
  }

  void Clear(GLfloat Red = 0, GLfloat Green = 0, GLfloat Blue = 0) {
    glClearColor(Red, Green, Blue, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Orthographic camera looking along Direction with Centre in the middle of
  // the picture, Scale pixels per cell.
  void Camera(TPoint Centre, TPoint Direction, TPoint Up) {
    const double Length = std::sqrt(Direction.X * Direction.X + Direction.Y * Direction.Y +
                                    Direction.Z * Direction.Z);
    const double Back = 100 / Length, Half = Gl->Width() / (2 * Scale);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-Half, Half, -Half, Half, 1, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(Centre.X - Back * Direction.X, Centre.Y - Back * Direction.Y,
              Centre.Z - Back * Direction.Z, Centre.X, Centre.Y, Centre.Z, Up.X, Up.Y, Up.Z);
  }

  void FromAbove(TPoint Centre) { Camera(Centre, {0, 0, -1}, {0, 1, 0}); }
  void Horizontal(TPoint Centre, double Dx, double Dy) { Camera(Centre, {Dx, Dy, 0}, {0, 0, 1}); }

  // Window coordinates of a world point with the current camera.
  TPoint Project(TPoint P) {
    GLdouble ModelView[16], Projection[16];
    GLint Viewport[4];
    TPoint W;
    glGetDoublev(GL_MODELVIEW_MATRIX, ModelView);
    glGetDoublev(GL_PROJECTION_MATRIX, Projection);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    gluProject(P.X, P.Y, P.Z, ModelView, Projection, Viewport, &W.X, &W.Y, &W.Z);
    return W;
  }

  // The pixel a world point lands on.
  bool PixelOf(TPoint P, int &X, int &Y) {
    const TPoint W = Project(P);
    X = int(std::floor(W.X));
    Y = int(std::floor(W.Y));
    const bool Inside = X >= 0 && Y >= 0 && X < Gl->Width() && Y < Gl->Height();
    if (!Inside)
      ADD_FAILURE() << "point (" << P.X << ", " << P.Y << ", " << P.Z << ") is out of the picture";
    return Inside;
  }

  uint32_t CodeAt(TPoint P) {
    int X, Y;
    return PixelOf(P, X, Y) ? Gl->CodeAt(X, Y) : 0xFFFFFFFF;
  }

  TRgb ColorAt(TPoint P) {
    int X, Y;
    return PixelOf(P, X, Y) ? Gl->ColorAt(X, Y) : TRgb{1, 2, 3};
  }

  // How far behind P, along the view, the nearest surface drawn at P's pixel
  // lies, in cells: 0 when a surface passes through P. The camera is
  // orthographic, so depth is linear over its 199 cells from near to far.
  double DistanceBehind(TPoint P) {
    int X, Y;
    if (!PixelOf(P, X, Y))
      return 1e9;
    GLfloat Depth = 0;
    glReadPixels(X, Y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &Depth);
    return (Depth - Project(P).Z) * 199;
  }

  std::vector<uint32_t> AllCodes() {
    Gl->ReadBack();
    std::vector<uint32_t> Codes;
    for (int Y = 0; Y < Gl->Height(); ++Y)
      for (int X = 0; X < Gl->Width(); ++X)
        Codes.push_back(Gl->CodeAt(X, Y));
    return Codes;
  }

  static TSize SizeOf(uint8_t Piece) {
    uint8_t X = 0, Y = 0, Z = 0;
    Kit.GetPiece(Piece, &X, &Y, &Z);
    return {X, Y, Z};
  }

  // Seen from above with the box turned by Rotation at (X, Y): footprint cell
  // f shows Code(f) where RotatedCell puts it, the ring of cells around the
  // box shows the clear code 0.
  template <class TCode>
  void ExpectFootprint(TSize S, uint8_t Rotation, double X, double Y, TCode Code) {
    for (int I = 0; I < S.X; ++I)
      for (int J = 0; J < S.Y; ++J) {
        const TCellOffset D = RotatedCell(Rotation, I, J, S.X, S.Y);
        EXPECT_EQ(CodeAt({X + D.Dx + 0.5, Y + D.Dy + 0.5, 0}),
                  Code(FootprintCellNumber(I, J, S.Y)))
            << "cell (" << I << ", " << J << ")";
      }
    const TSize T = Turned(S, Rotation);
    for (int Dx = -1; Dx <= T.X; ++Dx)
      for (int Dy = -1; Dy <= T.Y; ++Dy)
        if (Dx < 0 || Dy < 0 || Dx == T.X || Dy == T.Y) {
          EXPECT_EQ(CodeAt({X + Dx + 0.5, Y + Dy + 0.5, 0}), 0u)
              << "outside at (" << Dx << ", " << Dy << ")";
        }
  }

  std::unique_ptr<TOffscreenGl> Gl;
  double Scale = 16;
};

constexpr uint8_t Rotations[] = {1, 2, 3, 4};

// ---- Form drawing ---------------------------------------------------------

TEST_F(KitDraw, FormTopCellsCarryTheirCodesWhereTheRotationPutsThem) {
  const TPoint Origin = {2, 3, 1};
  FromAbove({6, 7, 0});
  for (uint8_t Piece = BlueOne; Piece <= Window; ++Piece)
    for (uint8_t Rotation : Rotations)
      for (uint16_t Number : {1, 4242, 65535}) {
        SCOPED_TRACE(testing::Message() << "piece " << int(Piece) << " rotation "
                                        << int(Rotation) << " number " << Number);
        Clear();
        Kit.DrawPieceForm(Piece, Rotation, Number, Origin.X, Origin.Y, Origin.Z);
        Gl->ReadBack();
        ExpectFootprint(SizeOf(Piece), Rotation, Origin.X, Origin.Y,
                        [&](int Cell) { return TopCellCode(Number, Cell); });
      }
}

TEST_F(KitDraw, FormSidesCarryTheSideCode) {
  const TPoint Origin = {2, 3, 1};
  const uint16_t Number = 777;
  const double Directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (uint8_t Piece = BlueOne; Piece <= Window; ++Piece)
    for (uint8_t Rotation : Rotations) {
      const TSize S = SizeOf(Piece), T = Turned(S, Rotation);
      const TPoint Middle = {Origin.X + T.X / 2.0, Origin.Y + T.Y / 2.0, Origin.Z + S.Z / 2.0};
      for (const auto &D : Directions) {
        SCOPED_TRACE(testing::Message() << "piece " << int(Piece) << " rotation "
                                        << int(Rotation) << " looking along (" << D[0]
                                        << ", " << D[1] << ")");
        Horizontal(Middle, D[0], D[1]);
        Clear();
        Kit.DrawPieceForm(Piece, Rotation, Number, Origin.X, Origin.Y, Origin.Z);
        Gl->ReadBack();
        // In an orthographic side view the middle of the box is the middle of
        // the side facing the camera.
        EXPECT_EQ(CodeAt(Middle), SideCode(Number));
        EXPECT_EQ(CodeAt({Middle.X, Middle.Y, Origin.Z + S.Z + 0.5}), 0u);
      }
    }
}

TEST_F(KitDraw, RoofFormIsOneCodeAndRisesTowardsItsHighSide) {
  Open(512, 32); // 1/8 cell is 4 pixels, enough to sample beside the slope
  // Unturned the slope rises along x to the wall at x = SizeX; the turns put
  // that wall at the far or near end of the box along x or y.
  struct TCase {
    uint8_t Rotation;
    bool AlongX, HighAtFarEnd;
  };
  const TCase Cases[] = {{1, true, true}, {2, false, false}, {3, true, false}, {4, false, true}};
  const TPoint Origin = {2, 3, 1};
  const uint16_t Number = 321;
  for (uint8_t Piece = RoofEight; Piece <= RoofTwo2; ++Piece)
    for (const TCase &C : Cases) {
      SCOPED_TRACE(testing::Message() << "piece " << int(Piece) << " rotation "
                                      << int(C.Rotation));
      const TSize S = SizeOf(Piece), T = Turned(S, C.Rotation);
      const TPoint Middle = {Origin.X + T.X / 2.0, Origin.Y + T.Y / 2.0, Origin.Z + S.Z / 2.0};

      // The point at fraction A of the way from the low edge to the wall,
      // height W * SizeZ, in the middle of the roof's length. The slope there
      // is A * SizeZ high.
      auto At = [&](double A, double W) {
        const double U = (C.HighAtFarEnd ? A : 1 - A) * S.X;
        const double Height = Origin.Z + W * S.Z;
        return C.AlongX ? TPoint{Origin.X + U, Middle.Y, Height}
                        : TPoint{Middle.X, Origin.Y + U, Height};
      };
      auto Draw = [&] {
        Clear();
        Kit.DrawPieceForm(Piece, C.Rotation, Number, Origin.X, Origin.Y, Origin.Z);
        Gl->ReadBack();
      };

      FromAbove(Middle);
      Draw();
      for (int Dx = 0; Dx < T.X; ++Dx)
        for (int Dy = 0; Dy < T.Y; ++Dy)
          EXPECT_EQ(CodeAt({Origin.X + Dx + 0.5, Origin.Y + Dy + 0.5, 0}), SideCode(Number))
              << "from above at cell (" << Dx << ", " << Dy << ")";
      for (double A : {0.25, 0.875})
        EXPECT_NEAR(DistanceBehind(At(A, A)), 0, 0.1) << "slope height at " << A;

      // A gable is a triangle, high at the wall.
      Horizontal(Middle, C.AlongX ? 0 : 1, C.AlongX ? 1 : 0);
      Draw();
      EXPECT_EQ(CodeAt(At(0.25, 0.1)), SideCode(Number)) << "under the slope near its low edge";
      EXPECT_EQ(CodeAt(At(0.25, 0.45)), 0u) << "above the slope near its low edge";
      EXPECT_EQ(CodeAt(At(0.875, 0.75)), SideCode(Number)) << "under the slope near the wall";
      EXPECT_EQ(CodeAt(At(1.1, 0.5)), 0u) << "beyond the wall";

      // Seen from outside the high side, the wall is the nearest face.
      const double Toward = C.HighAtFarEnd ? -1 : 1;
      Horizontal(Middle, C.AlongX ? Toward : 0, C.AlongX ? 0 : Toward);
      Draw();
      EXPECT_EQ(CodeAt(At(1, 0.5)), SideCode(Number));
      EXPECT_NEAR(DistanceBehind(At(1, 0.5)), 0, 0.1) << "wall";
    }
}

// ---- Base drawing ---------------------------------------------------------

TEST_F(KitDraw, BaseFormPutsEachFootprintCellNumberInItsCell) {
  FromAbove({6, 7, 0});
  for (uint8_t Piece = BlueOne; Piece <= RoofTwo2; ++Piece)
    for (uint8_t Rotation : Rotations) {
      SCOPED_TRACE(testing::Message() << "piece " << int(Piece) << " rotation "
                                      << int(Rotation));
      Clear();
      // The base is drawn at the origin: move it into the middle of the view.
      glPushMatrix();
      glTranslated(2, 3, 0);
      Kit.DrawBaseForm(Piece, Rotation);
      glPopMatrix();
      Gl->ReadBack();
      ExpectFootprint(SizeOf(Piece), Rotation, 2, 3, [](int Cell) { return uint32_t(Cell); });
    }
}

TEST_F(KitDraw, BaseLookMarksTheAnchorCellRedAndTheOthersWhite) {
  struct TAnchor {
    uint8_t Cell;
    int I, J;
  };
  const TSize S = SizeOf(BlueThree);
  FromAbove({6, 7, 0});
  for (const TAnchor &A : {TAnchor{5, 1, 1}, TAnchor{3, 0, 2}})
    for (uint8_t Rotation : Rotations) {
      SCOPED_TRACE(testing::Message() << "anchor " << int(A.Cell) << " rotation "
                                      << int(Rotation));
      Clear();
      glPushMatrix();
      glTranslated(2, 3, 0);
      Kit.DrawBaseLook(BlueThree, Rotation, A.Cell);
      glPopMatrix();
      Gl->ReadBack();
      for (int I = 0; I < S.X; ++I)
        for (int J = 0; J < S.Y; ++J) {
          const TCellOffset D = RotatedCell(Rotation, I, J, S.X, S.Y);
          const TRgb C = ColorAt({2 + D.Dx + 0.5, 3 + D.Dy + 0.5, 0});
          if (I == A.I && J == A.J)
            EXPECT_TRUE(IsRed(C)) << "anchor cell is " << C;
          else
            EXPECT_TRUE(IsWhite(C)) << "cell (" << I << ", " << J << ") is " << C;
        }
    }
}

// ---- Look drawing ---------------------------------------------------------

TEST_F(KitDraw, LookShowsTheFillColourOfEachFace) {
  const TPoint Origin = {2, 3, 1};
  for (uint8_t Piece : {BlueOne, BlueTwo, BlueThree, BlueFour, Eight}) {
    SCOPED_TRACE(testing::Message() << "piece " << int(Piece));
    const TSize S = SizeOf(Piece);
    const TPoint Middle = {Origin.X + S.X / 2.0, Origin.Y + S.Y / 2.0, Origin.Z + S.Z / 2.0};
    auto Expected = Piece == Eight ? IsWhite : IsBlue;
    FromAbove(Middle);
    Clear();
    Kit.DrawPieceLook(Piece, 1, Origin.X, Origin.Y, Origin.Z);
    Gl->ReadBack();
    EXPECT_TRUE(Expected(ColorAt(Middle))) << "top is " << ColorAt(Middle);
    for (const double Dx : {1.0, -1.0}) {
      Horizontal(Middle, Dx, 0);
      Clear();
      Kit.DrawPieceLook(Piece, 1, Origin.X, Origin.Y, Origin.Z);
      Gl->ReadBack();
      EXPECT_TRUE(Expected(ColorAt(Middle))) << "side seen along x " << Dx << " is " << ColorAt(Middle);
    }
  }
  for (uint8_t Piece = RoofEight; Piece <= RoofTwo2; ++Piece) {
    SCOPED_TRACE(testing::Message() << "piece " << int(Piece));
    const TSize S = SizeOf(Piece);
    // The slope repeats one panel per two cells along y: sample a panel's middle.
    const TPoint Panel = {Origin.X + 1, Origin.Y + 1, Origin.Z + S.Z / 2.0};
    FromAbove(Panel);
    Clear();
    Kit.DrawPieceLook(Piece, 1, Origin.X, Origin.Y, Origin.Z);
    Gl->ReadBack();
    EXPECT_TRUE(IsBlue(ColorAt(Panel))) << "slope is " << ColorAt(Panel);
    // The gable at y = 0, at the centroid of its triangle.
    const TPoint Gable = {Origin.X + S.X * 2 / 3.0, Origin.Y, Origin.Z + S.Z / 3.0};
    Horizontal(Gable, 0, 1);
    Clear();
    Kit.DrawPieceLook(Piece, 1, Origin.X, Origin.Y, Origin.Z);
    Gl->ReadBack();
    EXPECT_TRUE(IsBlue(ColorAt(Gable))) << "gable is " << ColorAt(Gable);
  }
}

// ---- Textures, face by face -----------------------------------------------

// A textured face of a piece's look drawing, in the piece's own unrotated
// frame: its corners in drawing order, the texture coordinates (s, t) given
// at them, and the kit image it shows. A triangle repeats its third corner.
struct TTexturedFace {
  TPoint Corner[4];
  double Tex[4][2];
  Marbelo::TImageId Image;
};

constexpr double Whole[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

TTexturedFace Face(TPoint A, TPoint B, TPoint C, TPoint D, Marbelo::TImageId Image,
                   const double (&Tex)[4][2] = Whole) {
  TTexturedFace F{{A, B, C, D}, {}, Image};
  std::copy(&Tex[0][0], &Tex[0][0] + 8, &F.Tex[0][0]);
  return F;
}

// The five faces of a 2 x Y x 1 brick: x = 0, y = Y, x = 2, y = 0, the top;
// on a side s runs along its bottom edge and t up, on the top s along y.
std::vector<TTexturedFace> BrickFaces(double Y, Marbelo::TImageId XFaces, Marbelo::TImageId YFaces,
                                      Marbelo::TImageId Top) {
  return {Face({0, 0, 0}, {0, Y, 0}, {0, Y, 1}, {0, 0, 1}, XFaces),
          Face({0, Y, 0}, {2, Y, 0}, {2, Y, 1}, {0, Y, 1}, YFaces),
          Face({2, Y, 0}, {2, 0, 0}, {2, 0, 1}, {2, Y, 1}, XFaces),
          Face({2, 0, 0}, {0, 0, 0}, {0, 0, 1}, {2, 0, 1}, YFaces),
          Face({0, 0, 1}, {0, Y, 1}, {2, Y, 1}, {2, 0, 1}, Top)};
}

// A wedge 2 x Y, H high, its wall at x = 2: the two gables, the wall, the slope.
std::vector<TTexturedFace> RoofFaces(double Y, double H, Marbelo::TImageId Gables,
                                     Marbelo::TImageId Wall, Marbelo::TImageId Slope) {
  constexpr double GableEnd[4][2] = {{0, 0}, {1, 0}, {1, 1}, {1, 1}};
  constexpr double GableStart[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
  constexpr double Slant[4][2] = {{1, 1}, {0, 1}, {0, 0}, {1, 0}};
  return {Face({0, Y, 0}, {2, Y, 0}, {2, Y, H}, {2, Y, H}, Gables, GableEnd),
          Face({2, Y, 0}, {2, 0, 0}, {2, 0, H}, {2, Y, H}, Wall),
          Face({2, 0, 0}, {0, 0, 0}, {2, 0, H}, {2, 0, H}, Gables, GableStart),
          Face({0, 0, 0}, {0, Y, 0}, {2, Y, H}, {2, 0, H}, Slope, Slant)};
}

// The textured faces of the door (Y 4, Z 6) or the window (Y 3, Z 4): outer
// sides and top, the jambs, heads and sills of front (x = 0) and back.
std::vector<TTexturedFace> FrameFaces(double Y, double Z, Marbelo::TImageId Side,
                                      Marbelo::TImageId Top, Marbelo::TImageId Left,
                                      Marbelo::TImageId Right, Marbelo::TImageId Head,
                                      Marbelo::TImageId Sill) {
  const double W = 0.1875, Y1 = Y - W, Z1 = Z - W;
  return {Face({0, Y, 0}, {1, Y, 0}, {1, Y, Z}, {0, Y, Z}, Side),
          Face({1, 0, 0}, {0, 0, 0}, {0, 0, Z}, {1, 0, Z}, Side),
          Face({0, 0, Z}, {0, Y, Z}, {1, Y, Z}, {1, 0, Z}, Top),
          Face({0, 0, 0}, {0, W, 0}, {0, W, Z}, {0, 0, Z}, Left),
          Face({0, Y1, 0}, {0, Y, 0}, {0, Y, Z}, {0, Y1, Z}, Right),
          Face({1, Y, 0}, {1, Y1, 0}, {1, Y1, Z}, {1, Y, Z}, Left),
          Face({1, W, 0}, {1, 0, 0}, {1, 0, Z}, {1, W, Z}, Right),
          Face({0, W, Z1}, {0, Y1, Z1}, {0, Y1, Z}, {0, W, Z}, Head),
          Face({0, W, 0}, {0, Y1, 0}, {0, Y1, W}, {0, W, W}, Sill),
          Face({1, Y1, Z1}, {1, W, Z1}, {1, W, Z}, {1, Y1, Z}, Head),
          Face({1, Y1, 0}, {1, W, 0}, {1, W, W}, {1, Y1, W}, Sill)};
}

std::vector<TTexturedFace> TexturedFaces(uint8_t Piece) {
  using namespace Marbelo;
  switch (Piece) {
  case BlueOne: return BrickFaces(1, imgBlueOneFace, imgBlueTwoRight, imgBlueOneUp);
  case BlueTwo: return BrickFaces(2, imgBlueTwoRight, imgBlueTwoRight, imgBlueTwoUp);
  case BlueThree: return BrickFaces(3, imgBlueThreeFace, imgBlueTwoRight, imgBlueThreeUp);
  case BlueFour: return BrickFaces(4, imgBlueFourFace, imgBlueTwoRight, imgBlueFourUp);
  case Eight: return BrickFaces(8, imgEightFace, imgEightRight, imgEightUp);
  case Door:
    return FrameFaces(4, 6, imgDoorLeft, imgDoorUp, imgDoorFaceLeft, imgDoorFaceRight,
                      imgDoorFaceUp, imgDoorFaceDown);
  case Window:
    return FrameFaces(3, 4, imgWindowLeft, imgWindowUp, imgWindowFaceLeft, imgWindowFaceRight,
                      imgWindowFaceUp, imgWindowFaceUp);
  case RoofEight: return RoofFaces(8, 1, imgBlueTwoRight, imgEightFace, imgRoofEightUp);
  case RoofTwo: return RoofFaces(2, 1, imgBlueTwoRight, imgEightRight, imgRoofTwoUp);
  case RoofEight2: return RoofFaces(8, 2, imgBlueTwoUp, imgEightFace, imgRoofEightUp);
  default: return RoofFaces(2, 2, imgBlueTwoUp, imgEightRight, imgRoofTwoUp);
  }
}

TPoint Mix(const TPoint &A, const TPoint &B, const TPoint &C, double U, double V, double W) {
  return {A.X * U + B.X * V + C.X * W, A.Y * U + B.Y * V + C.Y * W, A.Z * U + B.Z * V + C.Z * W};
}

double Area(const TPoint &A, const TPoint &B, const TPoint &C) {
  const TPoint E = {B.X - A.X, B.Y - A.Y, B.Z - A.Z}, F = {C.X - A.X, C.Y - A.Y, C.Z - A.Z};
  const TPoint N = {E.Y * F.Z - E.Z * F.Y, E.Z * F.X - E.X * F.Z, E.X * F.Y - E.Y * F.X};
  return std::sqrt(N.X * N.X + N.Y * N.Y + N.Z * N.Z);
}

// The point of the face where the texture coordinates (S, T) are drawn, as
// the GL splits a quadrilateral into the triangles 0 1 2 and 0 2 3; false
// when no triangle of the face with an area shows them.
bool PointAt(const TTexturedFace &F, double S, double T, TPoint &P) {
  const int Triangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (const auto &Tri : Triangles) {
    const TPoint &A = F.Corner[Tri[0]], &B = F.Corner[Tri[1]], &C = F.Corner[Tri[2]];
    if (Area(A, B, C) < 1e-9)
      continue;
    const double *TA = F.Tex[Tri[0]], *TB = F.Tex[Tri[1]], *TC = F.Tex[Tri[2]];
    const double Det = (TB[0] - TA[0]) * (TC[1] - TA[1]) - (TC[0] - TA[0]) * (TB[1] - TA[1]);
    const double V = ((S - TA[0]) * (TC[1] - TA[1]) - (TC[0] - TA[0]) * (T - TA[1])) / Det;
    const double W = ((TB[0] - TA[0]) * (T - TA[1]) - (S - TA[0]) * (TB[1] - TA[1])) / Det;
    if (V < -1e-9 || W < -1e-9 || V + W > 1 + 1e-9)
      continue;
    P = Mix(A, B, C, 1 - V - W, V, W);
    return true;
  }
  return false;
}

// A kit image and its colour at (S, T) as linear filtering with repeated
// edges gives it. The GL holds each image at its own size, so this is what
// the faces must show where the texture is magnified.
class TKitImage {
public:
  explicit TKitImage(Marbelo::TImageId Id) : FImage(Marbelo::Image(Id)) {}

  std::array<double, 3> At(double S, double T) const {
    const int Width = FImage.Width, Height = FImage.Height;
    const double U = S * Width - 0.5, V = T * Height - 0.5;
    const int U0 = int(std::floor(U)), V0 = int(std::floor(V));
    const double A = U - U0, B = V - V0;
    std::array<double, 3> Colour{};
    for (int Dv = 0; Dv <= 1; ++Dv)
      for (int Du = 0; Du <= 1; ++Du) {
        const int X = ((U0 + Du) % Width + Width) % Width, Y = ((V0 + Dv) % Height + Height) % Height;
        const double Weight = (Du ? A : 1 - A) * (Dv ? B : 1 - B);
        const uint32_t Texel = FImage.Pixels[size_t(Y) * Width + X];
        for (int C = 0; C < 3; ++C)
          Colour[size_t(C)] += Weight * ((Texel >> (8 * C)) & 0xFF);
      }
    return Colour;
  }

private:
  const Marbelo::TImage &FImage;
};

// The texture coordinates the face has at its point P (in the piece's own
// frame), from the triangle of the face that holds P; false when none does.
bool TexAt(const TTexturedFace &F, const TPoint &P, double &S, double &T) {
  const int Triangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (const auto &Tri : Triangles) {
    const TPoint &A = F.Corner[Tri[0]], &B = F.Corner[Tri[1]], &C = F.Corner[Tri[2]];
    const double Whole = Area(A, B, C);
    if (Whole < 1e-9)
      continue;
    const double U = Area(P, B, C) / Whole, V = Area(A, P, C) / Whole, W = Area(A, B, P) / Whole;
    if (std::abs(U + V + W - 1) > 1e-6) // outside the triangle
      continue;
    S = U * F.Tex[Tri[0]][0] + V * F.Tex[Tri[1]][0] + W * F.Tex[Tri[2]][0];
    T = U * F.Tex[Tri[0]][1] + V * F.Tex[Tri[1]][1] + W * F.Tex[Tri[2]][1];
    return true;
  }
  return false;
}

// The texels worth looking at along one side of an image: the three at each
// end and the middle one, or every one of a side no longer than eight.
std::vector<int> TexelsAlong(int Size) {
  std::vector<int> Texels;
  for (int I = 0; I < Size; ++I)
    if (Size <= 8 || I < 3 || I >= Size - 3 || I == Size / 2)
      Texels.push_back(I);
  return Texels;
}

// Every textured face of every piece, in every rotation, seen from above and
// from the four sides: near its edges and ends, and across its middle, the
// picture shows the colour the kit's own image has there. A texture turned
// or mirrored on its face, a strip drawn at the wrong edge, or an image
// resampled with a dark row (as GLU's mipmap builder does to 48 x 16), shows
// another colour there.
TEST_F(KitDraw, LookShowsEachFaceItsTextureTheRightWayRound) {
  Open(1024, 96);
  const TPoint Origin = {1, 1, 0};
  const TRgb Background = {0, 255, 0};
  const TPoint Views[] = {{0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  std::map<int, TKitImage> Images;
  std::vector<float> Depths(size_t(Gl->Width()) * Gl->Height());
  int Checked = 0;
  for (uint8_t Piece = BlueOne; Piece <= RoofTwo2; ++Piece)
    for (uint8_t Rotation : Rotations) {
      SCOPED_TRACE(testing::Message() << "piece " << int(Piece) << " rotation " << int(Rotation));
      const TSize S = SizeOf(Piece), Box = Turned(S, Rotation);
      const TRotationTransform Turn = RotationTransform(Rotation, S.X, S.Y);
      const double Cos = std::round(std::cos(Turn.TurnDegrees * M_PI / 180)),
                   Sin = std::round(std::sin(Turn.TurnDegrees * M_PI / 180));
      // A point of the unrotated piece lands at the origin plus the turned
      // point and offset; and back.
      const auto Placed = [&](const TPoint &P) {
        const double X = P.X + Turn.OffsetX, Y = P.Y + Turn.OffsetY;
        return TPoint{Origin.X + Cos * X - Sin * Y, Origin.Y + Sin * X + Cos * Y, Origin.Z + P.Z};
      };
      const auto Unplaced = [&](const TPoint &W) {
        const double X = W.X - Origin.X, Y = W.Y - Origin.Y;
        return TPoint{Cos * X + Sin * Y - Turn.OffsetX, -Sin * X + Cos * Y - Turn.OffsetY, W.Z - Origin.Z};
      };
      const TPoint Centre = {Origin.X + Box.X / 2.0, Origin.Y + Box.Y / 2.0, Origin.Z + S.Z / 2.0};
      const std::vector<TTexturedFace> Faces = TexturedFaces(Piece);
      std::vector<int> Seen(Faces.size(), 0);
      for (const TPoint &View : Views) {
        if (View.Z != 0)
          FromAbove(Centre);
        else
          Horizontal(Centre, View.X, View.Y);
        Clear(0, 1, 0);
        Kit.DrawPieceLook(Piece, Rotation, Origin.X, Origin.Y, Origin.Z);
        Gl->ReadBack();
        glReadPixels(0, 0, Gl->Width(), Gl->Height(), GL_DEPTH_COMPONENT, GL_FLOAT, Depths.data());
        GLdouble ModelView[16], Projection[16];
        GLint Viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, ModelView);
        glGetDoublev(GL_PROJECTION_MATRIX, Projection);
        glGetIntegerv(GL_VIEWPORT, Viewport);
        for (size_t F = 0; F < Faces.size(); ++F) {
          const Marbelo::TImage &Image = Marbelo::Image(Faces[F].Image);
          const TKitImage &Texture = Images.try_emplace(Faces[F].Image, Faces[F].Image).first->second;
          for (int Column : TexelsAlong(Image.Width))
            for (int Row : TexelsAlong(Image.Height)) {
              TPoint P;
              if (!PointAt(Faces[F], (Column + 0.5) / Image.Width, (Row + 0.5) / Image.Height, P))
                continue;
              // The pixel the texel lands on, and the point of the face drawn
              // at that pixel's middle.
              const TPoint Window = Project(Placed(P));
              const int X = int(std::floor(Window.X)), Y = int(std::floor(Window.Y));
              if (X < 0 || Y < 0 || X >= Gl->Width() || Y >= Gl->Height())
                continue;
              const float Depth = Depths[size_t(Y) * Gl->Width() + X];
              TPoint Drawn;
              gluUnProject(X + 0.5, Y + 0.5, Depth, ModelView, Projection, Viewport, &Drawn.X,
                           &Drawn.Y, &Drawn.Z);
              double Sp = 0, Tp = 0;
              if (std::abs(Depth - Window.Z) * 199 > 0.003 || !TexAt(Faces[F], Unplaced(Drawn), Sp, Tp))
                continue; // another face is drawn there, or this one is seen edge on
              const TRgb Shown = Gl->ColorAt(X, Y);
              const std::array<double, 3> Expected = Texture.At(Sp, Tp);
              ++Seen[F];
              ++Checked;
              const bool Same = std::abs(Shown.Red - Expected[0]) <= 10 &&
                                std::abs(Shown.Green - Expected[1]) <= 10 &&
                                std::abs(Shown.Blue - Expected[2]) <= 10;
              EXPECT_TRUE(Same && Shown != Background)
                  << "face " << F << " at texel " << Column << ", " << Row << " shows " << Shown
                  << ", its texture has (" << Expected[0] << ", " << Expected[1] << ", "
                  << Expected[2] << ")";
            }
        }
      }
      for (size_t F = 0; F < Faces.size(); ++F)
        EXPECT_GE(Seen[F], 8) << "face " << F << " was never seen";
    }
  EXPECT_GT(Checked, 5000);
}

TEST_F(KitDraw, DoorPanesAndWindowOpeningAreOpenInLookAndSolidInForm) {
  const TPoint Origin = {2, 3, 1};
  const uint16_t Number = 900;
  const TRgb Background = {0, 255, 0};
  struct TCase {
    uint8_t Piece;
    std::vector<TPoint> Open; // (y, z) within the piece, x unused
  };
  const TCase Cases[] = {
      {Door, {{0, 1.140625, 2.859375}, {0, 2.859375, 2.859375},
              {0, 1.140625, 4.765625}, {0, 2.859375, 4.765625}}},
      {Window, {{0, 1.5, 2}, {0, 0.6, 0.6}, {0, 2.4, 3.4}}},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(testing::Message() << "piece " << int(C.Piece));
    const TSize S = SizeOf(C.Piece);
    Horizontal({Origin.X, Origin.Y + S.Y / 2.0, Origin.Z + S.Z / 2.0}, 1, 0);
    auto At = [&](const TPoint &P) { return TPoint{Origin.X, Origin.Y + P.Y, Origin.Z + P.Z}; };

    Clear(0, 1, 0);
    Kit.DrawPieceLook(C.Piece, 1, Origin.X, Origin.Y, Origin.Z);
    Gl->ReadBack();
    for (const TPoint &P : C.Open)
      EXPECT_EQ(ColorAt(At(P)), Background) << "look at (y " << P.Y << ", z " << P.Z << ")";
    if (C.Piece == Door) {
      // The lower panel of the leaf, between the bars and the panes.
      const TRgb Leaf = ColorAt(At({0, 2, 1.5}));
      EXPECT_TRUE(Near(Leaf, 161, 161, 161, 8)) << "leaf is " << Leaf;
    }

    Clear(0, 1, 0);
    Kit.DrawPieceForm(C.Piece, 1, Number, Origin.X, Origin.Y, Origin.Z);
    Gl->ReadBack();
    for (const TPoint &P : C.Open)
      EXPECT_EQ(CodeAt(At(P)), SideCode(Number)) << "form at (y " << P.Y << ", z " << P.Z << ")";
  }
}

TEST_F(KitDraw, TexturesAreMadeAgainInEachNewContext) {
  const TPoint Top = {3, 4, 1};
  for (int Context = 1; Context <= 2; ++Context) {
    SCOPED_TRACE(testing::Message() << "context " << Context);
    if (Context > 1)
      Open(256, 16); // destroys the first context with its textures
    FromAbove(Top);
    Clear();
    Kit.DrawPieceLook(BlueTwo, 1, 2, 3, 0);
    Gl->ReadBack();
    EXPECT_TRUE(IsBlue(ColorAt(Top))) << "top of BlueTwo is " << ColorAt(Top);
  }
}

// ---- Frame and arguments --------------------------------------------------

TEST_F(KitDraw, EveryDrawingExportRestoresTheMatrixAndLeavesTexturingOff) {
  using TExport = void (*)(uint8_t Piece, uint8_t Rotation);
  const TExport Exports[] = {
      [](uint8_t P, uint8_t R) { Kit.DrawPieceLook(P, R, 1.5, -2, 0.25); },
      [](uint8_t P, uint8_t R) { Kit.DrawPieceForm(P, R, 77, 1.5, -2, 0.25); },
      [](uint8_t P, uint8_t R) { Kit.DrawBaseLook(P, R, 1); },
      [](uint8_t P, uint8_t R) { Kit.DrawBaseForm(P, R); },
  };
  const char *Names[] = {"DrawPieceLook", "DrawPieceForm", "DrawBaseLook", "DrawBaseForm"};
  Camera({1, 1, 1}, {1, 2, -1.5}, {0, 0, 1});
  glRotated(30, 0, 0, 1);
  GLdouble Before[16], After[16];
  GLint DepthBefore = 0, DepthAfter = 0;
  glGetDoublev(GL_MODELVIEW_MATRIX, Before);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &DepthBefore);
  while (glGetError() != GL_NO_ERROR) {
  }
  for (int E = 0; E < 4; ++E)
    for (uint8_t Piece : {BlueOne, Eight, Door, Window, RoofTwo, RoofEight2})
      for (uint8_t Rotation : Rotations) {
        SCOPED_TRACE(testing::Message() << Names[E] << " piece " << int(Piece) << " rotation "
                                        << int(Rotation));
        Exports[E](Piece, Rotation);
        glGetDoublev(GL_MODELVIEW_MATRIX, After);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &DepthAfter);
        EXPECT_TRUE(std::equal(Before, Before + 16, After));
        EXPECT_EQ(DepthAfter, DepthBefore);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
      }
}

TEST_F(KitDraw, UnknownPiecesDrawNothingAndOtherRotationsDrawAsRotationOne) {
  Camera({1, 2, 1}, {1, 2, -1.5}, {0, 0, 1}); // oblique: tops and two sides show
  for (uint8_t Piece : {0, 12}) {
    SCOPED_TRACE(testing::Message() << "piece " << int(Piece));
    Clear();
    Kit.DrawPieceLook(Piece, 1, 0, 0, 0);
    Kit.DrawPieceForm(Piece, 1, 5, 0, 0, 0);
    Kit.DrawBaseLook(Piece, 1, 1);
    Kit.DrawBaseForm(Piece, 1);
    const std::vector<uint32_t> Codes = AllCodes();
    EXPECT_EQ(std::count(Codes.begin(), Codes.end(), 0u), std::ptrdiff_t(Codes.size()));
  }

  // Each picture drawn with rotation 1, then with other rotation values.
  using TDraw = void (*)(uint8_t Piece, uint8_t Rotation);
  const TDraw Draws[] = {
      [](uint8_t P, uint8_t R) { Kit.DrawPieceLook(P, R, 0, 0, 0); },
      [](uint8_t P, uint8_t R) { Kit.DrawPieceForm(P, R, 4242, 0, 0, 0); },
      [](uint8_t P, uint8_t R) { Kit.DrawBaseLook(P, R, 2); },
      [](uint8_t P, uint8_t R) { Kit.DrawBaseForm(P, R); },
  };
  for (int D = 0; D < 4; ++D)
    for (uint8_t Piece : {BlueThree, Door, RoofEight2}) {
      Clear();
      Draws[D](Piece, 1);
      const std::vector<uint32_t> One = AllCodes();
      EXPECT_NE(std::count(One.begin(), One.end(), 0u), std::ptrdiff_t(One.size()));
      for (uint8_t Rotation : {0, 5, 200}) {
        SCOPED_TRACE(testing::Message() << "drawing " << D << " piece " << int(Piece)
                                        << " rotation " << int(Rotation));
        Clear();
        Draws[D](Piece, Rotation);
        EXPECT_TRUE(AllCodes() == One);
      }
    }
}

} // namespace
