// The small renders and the frame around every render: thumbnails, the
// upright read-back, the footprint previews and the anchor click, the kits'
// begin-of-context calls, and the busy bracket. Pictures are checked by the
// colours of chosen pixels.
#include "Editor.h"
#include "Picking.h"
#include "kits/Kit.h"
#include "model/Busy.h"
#include "model/Global.h"
#include "platform/Cursor.h"
#include "platform/Messages.h"
#include "render/Construction.h"
#include "render/Previews.h"
#include "render/Render.h"
#include "render/Scene.h"
#include "viewport/Redraw.h"

#include <GL/gl.h>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

uint32_t Rgb(uint32_t Pixel) { return Pixel & 0xFFFFFFu; }

uint8_t Red(uint32_t Pixel) { return uint8_t(Pixel >> 16); }
uint8_t Green(uint32_t Pixel) { return uint8_t(Pixel >> 8); }
uint8_t Blue(uint32_t Pixel) { return uint8_t(Pixel); }

// The cell code a base form pixel holds: red + 256 green + 65536 blue.
int Code(const TBitmap &Form, int X, int Y) {
  const uint32_t P = Form.ScanLine(Y)[X];
  return Red(P) + 256 * Green(P) + 65536 * Blue(P);
}

bool InCorner(int X, int Y) { return (X < 5 || X >= 108) && (Y < 5 || Y >= 108); }

// The pixels of the base form holding a cell code, and their bounds.
struct TBounds {
  int Left = 1000, Top = 1000, Right = -1, Bottom = -1;
  int Width() const { return Right - Left + 1; }
  int Height() const { return Bottom - Top + 1; }
  double CentreX() const { return (Left + Right) / 2.0; }
  double CentreY() const { return (Top + Bottom) / 2.0; }
};

TBounds BoundsOfCode(const TBitmap &Form, int Wanted) {
  TBounds B;
  for (int Y = 0; Y < Form.Height(); ++Y)
    for (int X = 0; X < Form.Width(); ++X) {
      const int C = Code(Form, X, Y);
      if (Wanted < 0 ? C != 0 : C == Wanted) {
        B.Left = std::min(B.Left, X);
        B.Right = std::max(B.Right, X);
        B.Top = std::min(B.Top, Y);
        B.Bottom = std::max(B.Bottom, Y);
      }
    }
  return B;
}

class Render : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    OldSink = SetMessageSink(
        [this](const std::string &Text, const std::string &) { Messages.push_back(Text); });
    NewConstruction(20, 20, 20);
  }

  void TearDown() override {
    NewConstruction(20, 20, 20);
    SetMessageSink(OldSink);
    EXPECT_TRUE(Messages.empty()) << Messages.front();
  }

  TMessageSink OldSink;
  std::vector<std::string> Messages;
};

TEST_F(Render, ThumbnailIsTheSeventhFrameWithoutCorners) {
  LoadAllKits();
  ASSERT_GE(Construction.KitCount, 1);
  const TKit &Kit = Construction.Kits[1];
  ASSERT_EQ(Kit.KitPieceCount, 11);
  for (int P = 1; P <= Kit.KitPieceCount; ++P) {
    SCOPED_TRACE("piece " + std::to_string(P));
    const TBitmap &Thumbnail = Kit.Thumbnails[P], &Seventh = Kit.Frames[P][7],
                  &Eighth = Kit.Frames[P][8];
    ASSERT_EQ(Thumbnail.Width(), 113);
    ASSERT_EQ(Thumbnail.Height(), 113);
    int Differing = 0, DifferingFromEighth = 0;
    for (int Y = 0; Y < 113; ++Y)
      for (int X = 0; X < 113; ++X) {
        const uint32_t T = Rgb(Thumbnail.ScanLine(Y)[X]);
        if (InCorner(X, Y)) {
          // The frame has the blue corner, the thumbnail the white background.
          EXPECT_EQ(Rgb(Seventh.ScanLine(Y)[X]), 0x0000FFu) << X << ", " << Y;
          EXPECT_NE(T, 0x0000FFu) << X << ", " << Y;
          continue;
        }
        Differing += T != Rgb(Seventh.ScanLine(Y)[X]);
        DifferingFromEighth += T != Rgb(Eighth.ScanLine(Y)[X]);
      }
    EXPECT_EQ(Differing, 0);
    // The comparison tells the steps apart: the next step is turned.
    EXPECT_GT(DifferingFromEighth, 20);
  }
}

TEST_F(Render, ReadBackIsUpright) {
  ASSERT_EQ(RenderBitmap.Width(), 113);
  std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, false, 0, 0, 0);
  ASSERT_TRUE(Context);
  // Red over the top left quarter, green over the top right, in clip space.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glBegin(GL_QUADS);
  glColor3ub(255, 0, 0);
  glVertex2d(-1, 0), glVertex2d(0, 0), glVertex2d(0, 1), glVertex2d(-1, 1);
  glColor3ub(0, 255, 0);
  glVertex2d(0, 0), glVertex2d(1, 0), glVertex2d(1, 1), glVertex2d(0, 1);
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  ReadRenderBitmap(*Context);
  endDraw(false, false, std::move(Context));

  struct TProbe {
    int X, Y;
    uint32_t Color;
  } const Probes[] = {{2, 2, 0xFF0000},    {50, 50, 0xFF0000},  {62, 2, 0x00FF00},
                      {110, 50, 0x00FF00}, {2, 62, 0x000000},   {56, 110, 0x000000},
                      {110, 110, 0x000000}};
  for (const TProbe &P : Probes)
    EXPECT_EQ(Rgb(RenderBitmap.ScanLine(P.Y)[P.X]), P.Color) << "at " << P.X << ", " << P.Y;
}

TEST_F(Render, FootprintPreviewsAreCentredAndPickTheAnchor) {
  LoadAllKits();
  ASSERT_EQ(Construction.CurrentKit, 1);
  ASSERT_EQ(Construction.CurrentPiece, 1); // 2 x 1 cells
  ASSERT_EQ(Construction.CurrentSizeX, 2);
  ASSERT_EQ(Construction.CurrentSizeY, 1);
  const TBitmap &Form = Previews.iBaseForm, &Look = Previews.iBaseLook;

  for (int Rotation = 1; Rotation <= 4; ++Rotation) {
    SCOPED_TRACE("rotation " + std::to_string(Rotation));
    Construction.CurrentRotation = Rotation;
    Construction.AnchorCell = 1;
    RedrawPreviews();
    const TBounds All = BoundsOfCode(Form, -1), One = BoundsOfCode(Form, 1),
                  Two = BoundsOfCode(Form, 2);
    ASSERT_GT(One.Width(), 5);
    ASSERT_GT(Two.Width(), 5);
    // The two cells and nothing else, centred on the picture.
    EXPECT_EQ(BoundsOfCode(Form, 3).Right, -1);
    EXPECT_NEAR(All.CentreX(), 56, 1.5);
    EXPECT_NEAR(All.CentreY(), 56, 1.5);
    // Rotations 1 and 3 lie along x, 2 and 4 along y.
    if (Rotation % 2)
      EXPECT_GT(All.Width(), All.Height() * 3 / 2);
    else
      EXPECT_GT(All.Height(), All.Width() * 3 / 2);

    // The base look shows the footprint where the form has it: the anchor
    // cell red, the other white, the base colour around.
    const int X1 = int(One.CentreX()), Y1 = int(One.CentreY());
    const int X2 = int(Two.CentreX()), Y2 = int(Two.CentreY());
    auto IsRed = [](uint32_t P) { return Red(P) > 150 && Green(P) < 100 && Blue(P) < 100; };
    auto IsWhite = [](uint32_t P) { return Red(P) > 150 && Green(P) > 150 && Blue(P) > 150; };
    EXPECT_TRUE(IsRed(Look.ScanLine(Y1)[X1]));
    EXPECT_TRUE(IsWhite(Look.ScanLine(Y2)[X2]));
    EXPECT_EQ(Rgb(Look.ScanLine(56)[All.Left - 4]), 0x008000u);

    // A click on cell 2 makes it the anchor and redraws the base look.
    iBaseLookMouseDown(X2, Y2);
    EXPECT_EQ(Construction.AnchorCell, 2);
    EXPECT_TRUE(IsWhite(Look.ScanLine(Y1)[X1]));
    EXPECT_TRUE(IsRed(Look.ScanLine(Y2)[X2]));

    // A click beside the footprint, or outside the picture, changes nothing.
    const QImage Before = Look.Image().copy();
    for (const auto &[X, Y] : {std::pair{56, 8}, std::pair{8, 56}, std::pair{-1, 56},
                               std::pair{56, 113}}) {
      iBaseLookMouseDown(X, Y);
      EXPECT_EQ(Construction.AnchorCell, 2) << X << ", " << Y;
    }
    EXPECT_TRUE(Look.Image() == Before);
  }
}

// Counts the begin-of-context calls each fake kit gets.
int Calls[6];
template <int K> void CountCall() { ++Calls[K]; }

// Renders once on the 113-pixel surface and gives the calls each kit got.
std::vector<int> CallsOfOneRender() {
  std::fill(std::begin(Calls), std::end(Calls), 0);
  std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, true, 10, 20, 30);
  EXPECT_TRUE(Context);
  endDraw(true, false, std::move(Context));
  return {Calls + 1, Calls + 6};
}

// Kits are told their textures are gone exactly when the set of shared
// texture objects is not the one they made them in: a kit telling each
// render would make its textures anew every time and leave the old ones.
TEST_F(Render, BeginDrawTellsKitsWhoseTexturesAreGone) {
  const KitApi::TBeginDrawKit Counters[] = {nullptr, CountCall<1>, CountCall<2>, CountCall<3>,
                                            CountCall<4>, CountCall<5>};
  for (int K = 1; K <= 5; ++K) {
    Construction.Kits[K].beginDrawKit = Counters[K];
    Construction.Kits[K].TexturesGroup = 0;
  }
  Construction.KitCount = 3;
  EXPECT_EQ(CallsOfOneRender(), (std::vector<int>{1, 1, 1, 0, 0}));
  EXPECT_EQ(CallsOfOneRender(), (std::vector<int>{0, 0, 0, 0, 0}));
  Construction.KitCount = 4; // a kit loaded now has made nothing yet
  EXPECT_EQ(CallsOfOneRender(), (std::vector<int>{0, 0, 0, 1, 0}));
  ForgetGlContexts(); // a new set: every kit again, once
  EXPECT_EQ(CallsOfOneRender(), (std::vector<int>{1, 1, 1, 1, 0}));
  EXPECT_EQ(CallsOfOneRender(), (std::vector<int>{0, 0, 0, 0, 0}));
  Construction.KitCount = 0;
  for (int K = 1; K <= 5; ++K) {
    Construction.Kits[K].beginDrawKit = nullptr;
    Construction.Kits[K].TexturesGroup = 0;
  }
}

// Every kind of picture the editor draws, each from its own render.
struct TPictures {
  std::vector<uint8_t> Look;
  std::vector<QImage> Small; // spin frames, then the three previews
  std::vector<int32_t> Codes;
};

// Draws them all; Fresh first drops every kept context before each render, as
// when every render made a context of its own and told every kit.
TPictures DrawEverything(bool Fresh) {
  const auto Next = [Fresh] {
    if (Fresh)
      ForgetGlContexts();
  };
  TPictures P;
  Next();
  P.Look = DrawLookPicture();
  for (int Piece = 1; Piece <= Construction.Kits[1].KitPieceCount; ++Piece) {
    Next();
    RenderSpinFrames(1, Piece, 3);
    P.Small.push_back(Construction.Kits[1].Frames[Piece][3].Image());
  }
  for (void (*Preview)() : {PiecePreview, BaseLookPreview, BaseFormPreview}) {
    Next();
    Preview();
  }
  P.Small.insert(P.Small.end(), {Previews.iPiece.Image(), Previews.iBaseLook.Image(),
                                 Previews.iBaseForm.Image()});
  for (int Y = 30; Y < 600; Y += 60)
    for (int X = 40; X < 800; X += 80) {
      Next();
      P.Codes.push_back(PickAt(X, Y));
    }
  return P;
}

// A kit that leaves the GL in another state than it found it: the next
// render must not see any of it.
KitApi::TDrawPieceLook RealDrawPieceLook;
void UntidyDrawPieceLook(uint8_t Piece, uint8_t Rotation, double X, double Y, double Z) {
  RealDrawPieceLook(Piece, Rotation, X, Y, Z);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  glColor3f(1, 0, 0);
}

// Kept contexts, after renders of every kind in them, draw exactly what fresh
// contexts draw: nothing an earlier render (or a kit) set is left for the next.
TEST_F(Render, KeptContextsDrawWhatFreshOnesDraw) {
  LoadAllKits();
  ASSERT_EQ(Construction.Kits[1].KitPieceCount, 11);
  RealDrawPieceLook = Construction.Kits[1].DrawPieceLook;
  Construction.Kits[1].DrawPieceLook = UntidyDrawPieceLook;
  for (uint16_t Piece = 1; Piece <= 11; ++Piece)
    Put(Piece, (Piece - 1) % 3 * 6, (Piece - 1) / 3 * 5, 0, Piece % 4 + 1);
  ChoosePiece(1, Door);
  Construction.CurrentRotation = 2;
  DrawEverything(false); // a history for the kept contexts
  const TPictures Kept = DrawEverything(false), Fresh = DrawEverything(true);
  EXPECT_FALSE(Kept.Look.empty());
  EXPECT_TRUE(Kept.Look == Fresh.Look);
  ASSERT_EQ(Kept.Small.size(), Fresh.Small.size());
  for (size_t I = 0; I < Kept.Small.size(); ++I)
    EXPECT_TRUE(Kept.Small[I] == Fresh.Small[I]) << "small picture " << I;
  EXPECT_EQ(Kept.Codes, Fresh.Codes);
  EXPECT_GT(std::count_if(Kept.Codes.begin(), Kept.Codes.end(),
                          [](int32_t C) { return C > 0 && C < BaseCodeStart; }),
            5); // the picks do hit pieces
  Construction.Kits[1].DrawPieceLook = RealDrawPieceLook;
}

// The texture objects in the shared set, counted in the 113-pixel surface's
// context (names are handed out from 1 up).
int TextureObjects() {
  std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, true, 0, 0, 0);
  int Count = 0;
  for (GLuint Name = 1; Name <= 4096; ++Name)
    Count += glIsTexture(Name) == GL_TRUE;
  endDraw(true, false, std::move(Context));
  return Count;
}

// Renders of every kind, over and over, leave the kits' textures as they
// were: nothing a kit makes piles up in the contexts that are kept.
TEST_F(Render, RepeatedRendersMakeNoNewTextures) {
  LoadAllKits();
  for (uint16_t Piece = 1; Piece <= 11; ++Piece)
    Put(Piece, (Piece - 1) % 3 * 6, (Piece - 1) / 3 * 5, 0, 1);
  ChoosePiece(1, Window);
  DrawEverything(false);
  const int Textures = TextureObjects();
  EXPECT_GT(Textures, 0); // the kit's pieces are textured
  for (int Round = 0; Round < 3; ++Round)
    DrawEverything(false);
  EXPECT_EQ(TextureObjects(), Textures);
}

// A kit's textures go with it when it is taken out of use: adding and
// taking out kits over and over leaves no texture behind.
TEST_F(Render, KitTexturesGoWithTheKit) {
  const int Before = TextureObjects();
  for (int Round = 0; Round < 3; ++Round) {
    LoadAllKits();
    Put(Window, 2, 2, 0, 1);
    DrawEverything(false);
    EXPECT_GT(TextureObjects(), Before);
    Construction.PieceCount = 0;
    while (Construction.KitCount > 0)
      ASSERT_TRUE(UnloadKit(Construction.KitCount));
    EXPECT_EQ(TextureObjects(), Before) << "round " << Round;
  }
}

TEST_F(Render, NestedBusyBracketsRestoreTheOutermostState) {
  for (char Mode : {ModeInsert, ModeNone}) {
    SCOPED_TRACE("mode " + std::to_string(int(Mode)));
    Construction.Mode = Mode;
    SetScreenCursor(105);
    BeginBusy();
    EXPECT_EQ(Construction.Mode, ModeBusy);
    EXPECT_EQ(ScreenCursor(), crWait);
    // Work inside the bracket may change both before opening another.
    Construction.Mode = ModeMove;
    SetScreenCursor(crArrow);
    BeginBusy();
    EXPECT_EQ(Construction.Mode, ModeBusy);
    EXPECT_EQ(ScreenCursor(), crWait);
    // Every closing handles the pending messages, while still busy.
    char ModeSeen = 0;
    QTimer::singleShot(0, [&] { ModeSeen = Construction.Mode; });
    EndBusy();
    EXPECT_EQ(ModeSeen, ModeBusy);
    EXPECT_EQ(Construction.Mode, ModeBusy);
    EXPECT_EQ(ScreenCursor(), crWait);

    ModeSeen = 0;
    QTimer::singleShot(0, [&] { ModeSeen = Construction.Mode; });
    EndBusy();
    EXPECT_EQ(ModeSeen, ModeBusy);
    EXPECT_EQ(Construction.Mode, Mode);
    EXPECT_EQ(ScreenCursor(), 105);
  }
}

// What the fake kit saw while the scene renders ran.
char ModeDuring;
int16_t CursorDuring;
void RecordState() {
  ModeDuring = Construction.Mode;
  CursorDuring = ScreenCursor();
}

TEST_F(Render, SceneRendersAreBusyAndRestoreTheMode) {
  NewConstruction(10, 10, 10);
  Construction.Kits[1].beginDrawKit = RecordState;
  Construction.KitCount = 1;

  Construction.Mode = ModeInsert;
  SetScreenCursor(crArrow);
  ModeDuring = 0;
  Construction.Kits[1].TexturesGroup = 0; // so that the render calls it
  LookRender();
  EXPECT_EQ(ModeDuring, ModeBusy);
  EXPECT_EQ(CursorDuring, crWait);
  EXPECT_EQ(Construction.Mode, ModeInsert);
  EXPECT_EQ(ScreenCursor(), crArrow);

  ModeDuring = 0;
  Construction.Kits[1].TexturesGroup = 0;
  const int32_t Code = PickAt(Construction.ViewportWidth / 2, Construction.ViewportHeight / 2);
  EXPECT_EQ(ModeDuring, ModeBusy);
  EXPECT_EQ(CursorDuring, crWait);
  EXPECT_EQ(Construction.Mode, ModeInsert);
  EXPECT_EQ(ScreenCursor(), crArrow);
  // The middle of the viewport shows the base.
  EXPECT_GE(Code, BaseCodeStart);
  EXPECT_LT(Code, BaseCodeStart + 100);

  Construction.KitCount = 0;
  Construction.Kits[1].beginDrawKit = nullptr;
}

// A kit that only counts what is asked of it.
int KitCalls = 0;
void CountBegin() { ++KitCalls; }
void OneCell(uint8_t, uint8_t *X, uint8_t *Y, uint8_t *Z) { *X = *Y = *Z = 1; }
void CountLook(uint8_t, uint8_t, double, double, double) { ++KitCalls; }
void CountBaseLook(uint8_t, uint8_t, uint8_t) { ++KitCalls; }
void CountBaseForm(uint8_t, uint8_t) { ++KitCalls; }

// A render that gets no drawing context (here: surfaces of a size no GL can
// make) asks nothing of the kits and leaves every picture as it was, rather
// than taking what an earlier render left in the read-back.
TEST_F(Render, WithoutAContextNothingIsDrawnAndNoPictureChanges) {
  TKit &Kit = Construction.Kits[1];
  Kit.beginDrawKit = CountBegin;
  Kit.GetPiece = OneCell;
  Kit.DrawPieceLook = CountLook;
  Kit.DrawBaseLook = CountBaseLook;
  Kit.DrawBaseForm = CountBaseForm;
  Kit.KitPieceCount = 1;
  Construction.KitCount = 1;
  ChoosePiece(1, 1);
  auto Fill = [](TBitmap &Picture, uint32_t Colour) {
    Picture.SetSize(RenderSize, RenderSize);
    for (int Y = 0; Y < RenderSize; ++Y)
      std::fill_n(Picture.ScanLine(Y), RenderSize, Colour);
  };
  Fill(RenderBitmap, 0x00654321); // what an earlier render left
  for (TBitmap *Picture : {&Previews.iPiece, &Previews.iBaseLook, &Previews.iBaseForm,
                           &Kit.Frames[1][1], &Kit.Thumbnails[1]})
    Fill(*Picture, 0x00123456);
  fRender().SetSize(-1, -1);
  PlainRenderSurface().SetSize(-1, -1);
  Construction.Mode = ModeInsert;
  KitCalls = 0;

  RedrawPreviews();
  for (int Step = 1; Step <= SpinSteps; ++Step)
    RenderSpinFrames(1, 1, Step);

  fRender().SetSize(RenderSize, RenderSize);
  PlainRenderSurface().SetSize(RenderSize, RenderSize);
  EXPECT_EQ(KitCalls, 0);
  for (TBitmap *Picture : {&Previews.iPiece, &Previews.iBaseLook, &Previews.iBaseForm,
                           &Kit.Frames[1][1], &Kit.Thumbnails[1]})
    EXPECT_EQ(Picture->ScanLine(56)[56], 0x00123456u);
  EXPECT_EQ(Construction.Mode, ModeInsert); // every busy bracket closed
  Kit = TKit();
  Construction.KitCount = 0;
}

// What each picture asked of a kit that only counts.
struct TDrawn {
  int Look = 0, Piece = 0, BaseLook = 0, BaseForm = 0;
  bool operator==(const TDrawn &) const = default;
};
TDrawn Drawn;
void CountPlaced(uint8_t, uint8_t, double X, double Y, double Z) {
  ++(X == 0 && Y == 0 && Z == 0 ? Drawn.Piece : Drawn.Look);
}
void CountFootprint(uint8_t, uint8_t, uint8_t) { ++Drawn.BaseLook; }
void CountFootprintForm(uint8_t, uint8_t) { ++Drawn.BaseForm; }

// Each change draws again exactly the pictures that show it: the look
// render, the piece preview, the base look and the base form preview.
TEST_F(Render, EachChangeRedrawsOnlyThePicturesThatShowIt) {
  TKit &Kit = Construction.Kits[1];
  Kit.beginDrawKit = CountBegin;
  Kit.GetPiece = OneCell;
  Kit.DrawPieceLook = CountPlaced;
  Kit.DrawBaseLook = CountFootprint;
  Kit.DrawBaseForm = CountFootprintForm;
  Kit.KitPieceCount = 1;
  Construction.KitCount = 1;
  ChoosePiece(1, 1);
  Construction.Pieces[1] = {1, 1, 3, 3, 0, 1};
  Construction.PieceCount = 1;
  const struct {
    TChanges Changes;
    TDrawn Expected;
  } Cases[] = {{ChangedPieces, {1, 0, 0, 0}},     {ChangedCameraPlace, {1, 0, 0, 0}},
               {ChangedViewport, {1, 0, 0, 0}},   {ChangedCameraTilt, {1, 1, 0, 0}},
               {ChangedCameraTurn, {1, 1, 1, 1}}, {ChangedSceneColor, {1, 1, 0, 0}},
               {ChangedBaseColor, {1, 0, 1, 0}},  {ChangedChosenPiece, {0, 1, 1, 1}},
               {ChangedViews, {0, 0, 0, 0}},      {ChangedKits, {0, 0, 0, 0}}};
  for (const auto &Case : Cases) {
    SCOPED_TRACE("changes " + std::to_string(Case.Changes));
    Drawn = {};
    Redraw(Case.Changes);
    EXPECT_TRUE(Drawn == Case.Expected) << Drawn.Look << " " << Drawn.Piece << " " << Drawn.BaseLook
                                        << " " << Drawn.BaseForm;
  }
  Construction.PieceCount = 0;
  Kit = TKit();
  Construction.KitCount = 0;
}

} // namespace
