// The editor's shell driven through its real windows: the start dialog's
// checks, hover pictures, an editing session in the viewport and the menu,
// loading and saving construction files, and the background picture.
#include "Picking.h"
#include "ShellFixture.h"
#include "edits/History.h"
#include "edits/ViewEdits.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/AniCursor.h"
#include "platform/Cursor.h"
#include "platform/Messages.h"
#include "render/Camera.h"
#include "render/Overlay.h"
#include "render/Scene.h"
#include "render/Views.h"
#include "shell/Artwork.h"
#include "shell/Base.h"
#include "shell/Choose.h"
#include "shell/ConstructionFile.h"
#include "shell/LabelButton.h"
#include "shell/Note.h"
#include "shell/Recovery.h"
#include "shell/Settings.h"
#include "shell/Start.h"
#include "viewport/Look.h"
#include "viewport/Navigation.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProgressDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <zlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

// A file as a save would write it: the given base and pieces of one kit, a
// named view and the live camera. The construction is left as a fresh start
// dialog has it, so that whatever is seen after loading came from the file.
std::vector<uint8_t> Draft(uint16_t Width, const std::vector<TPlacedPiece> &Pieces,
                           const std::string &Kit = "Marbelo") {
  TConstruction &C = Construction;
  C.BaseWidth = Width;
  C.BaseLength = 40;
  C.BaseHeight = 20;
  SetSceneColor(0x00603010);
  SetBaseColor(0x00208040);
  C.ViewCount = 2;
  C.Views[1] = {"Front", 40, 30, 90, 1, 2};
  C.Views[2] = {"", 60, 60, 45, 0, 0};
  C.PieceCount = uint16_t(Pieces.size());
  std::copy(Pieces.begin(), Pieces.end(), C.Pieces + 1);
  C.KitCount = 1;
  C.KitNames[1] = Kit;
  std::vector<uint8_t> Record = EncodeConstruction();
  C.BaseWidth = C.BaseLength = C.BaseHeight = 0;
  SetSceneColor(0);
  SetBaseColor(0);
  std::fill(C.Views + 1, C.Views + 3, TPosition{});
  std::fill(C.Pieces + 1, C.Pieces + 1 + Pieces.size(), TPlacedPiece{});
  C.ViewCount = C.PieceCount = C.KitCount = 0;
  C.KitNames[1].clear();
  return Record;
}

// A PNG file that is only a header: the given size, one empty data chunk.
std::vector<uint8_t> PngHeader(uint32_t Width, uint32_t Height) {
  std::vector<uint8_t> Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto Put32 = [&Bytes](uint32_t V) {
    for (int Shift = 24; Shift >= 0; Shift -= 8)
      Bytes.push_back(uint8_t(V >> Shift));
  };
  auto Chunk = [&](const char *Type, std::vector<uint8_t> Data) {
    Put32(uint32_t(Data.size()));
    Data.insert(Data.begin(), Type, Type + 4);
    Bytes.insert(Bytes.end(), Data.begin(), Data.end());
    Put32(uint32_t(crc32(0, Data.data(), uInt(Data.size()))));
  };
  std::vector<uint8_t> Header;
  for (uint32_t V : {Width, Height})
    for (int Shift = 24; Shift >= 0; Shift -= 8)
      Header.push_back(uint8_t(V >> Shift));
  Header.insert(Header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
  Chunk("IHDR", Header);
  Chunk("IDAT", {});
  Chunk("IEND", {});
  return Bytes;
}

} // namespace

TEST_F(Shell, StartDialogChecksTheBaseBeforeStarting) {
  ASSERT_TRUE(fStart->isVisible());
  EXPECT_FALSE(fStart->edWidth->isVisible());
  fStart->lblOKStartClick(); // OK is hidden until a new construction is asked for
  EXPECT_FALSE(fBase->isVisible());

  Click(fStart->lblNewConstruction);
  EXPECT_TRUE(fStart->edWidth->isVisible());
  EXPECT_TRUE(fStart->lblLoadConstruction->isVisible()) << "the way back stays open";
  EXPECT_EQ(fStart->focusWidget(), fStart->edWidth);
  // Each field shows the range it accepts beside it.
  for (const char *Range : {"10 to 150", "10 to 100"}) {
    const auto Labels = fStart->findChildren<QLabel *>();
    EXPECT_TRUE(std::any_of(Labels.begin(), Labels.end(), [&](QLabel *L) {
      return L->text() == Range && L->isVisible();
    })) << Range;
  }

  // A refused field takes the focus, turns red and the reason shows; the
  // fields before it were accepted.
  QLineEdit *W = fStart->edWidth, *L = fStart->edLength, *H = fStart->edHeight;
  const struct {
    const char *Width, *Length, *Height;
    QLineEdit *Refused;
  } Cases[] = {{"9", "50", "50", W},    {"10", "151", "50", L}, {"150", "9", "50", L},
               {"10", "150", "101", H}, {"abc", "50", "50", W}, {"50", "007", "50", L},
               {"50", "50", "-10", H},  {"", "50", "50", W},    {"151", "", "", W}};
  for (const auto &Case : Cases) {
    W->setText(Case.Width);
    L->setText(Case.Length);
    H->setText(Case.Height);
    (Case.Refused == W ? H : W)->setFocus();
    Click(fStart->lblOKStart);
    const std::string Shown = std::string(Case.Width) + " x " + Case.Length + " x " + Case.Height;
    EXPECT_EQ(fStart->focusWidget(), Case.Refused) << Shown;
    EXPECT_EQ(fStart->lblStatus->text().toStdString(),
              Case.Refused == W   ? "Width must be a whole number from 10 to 150"
              : Case.Refused == L ? "Length must be a whole number from 10 to 150"
                                  : "Height must be a whole number from 10 to 100")
        << Shown;
    EXPECT_NE(Case.Refused->styleSheet(), "") << Shown << ": marked";
    EXPECT_FALSE(fBase->isVisible()) << Shown;
    EXPECT_EQ(Construction.KitCount, 0) << Shown;
  }

  // The version comes from the running program's own file, whatever its name.
  EXPECT_EQ(fStart->lblVersion->text(), "v. 1.2.3.0045");

  // Typing in a marked field takes its mark away.
  QTest::keyClick(fStart->focusWidget(), Qt::Key_Backspace);
  EXPECT_EQ(static_cast<QLineEdit *>(fStart->focusWidget())->styleSheet(), "");

  // Height 100 is the largest accepted; Enter in a field presses OK. A new
  // construction has no file name.
  Construction.FileName = Dir + "Constructions/earlier.cns";
  W->setText("20");
  L->setText("30");
  H->setText("100");
  QTest::keyClick(L, Qt::Key_Return);
  EXPECT_EQ(Construction.FileName, "");
  EXPECT_TRUE(fBase->isVisible());
  EXPECT_FALSE(fStart->isVisible());
  EXPECT_EQ(Construction.BaseLength, 30);
  EXPECT_EQ(Construction.BaseHeight, 100);
  ASSERT_EQ(Construction.KitCount, 1);
  EXPECT_EQ(Construction.KitNames[1], "Marbelo");
  EXPECT_EQ(CurrentCamera().Distance, 45);
  EXPECT_EQ(fStart->lblStatus->text().toStdString(), "Loading kit \"Marbelo\"...");
  // The viewport is centred in the room right of the left column: on the
  // 1280 x 1024 screen 129 + (1280 - 129 - 800) / 2 = 129 + 175.5, the half
  // going to the even 176, and (1024 - 600) / 2 = 212.
  ASSERT_EQ(fBase->screen()->size(), QSize(1280, 1024));
  EXPECT_EQ(fLook->position(), QPoint(305, 212));
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(fBase->windowTitle(), "Untitled[*] - Stavemont");
  EXPECT_FALSE(fBase->isWindowModified());

  // An unchanged construction closes at once: the kits are released.
  int Questions = 0;
  SetQuestionSink([&Questions](const std::string &, const std::string &) {
    ++Questions;
    return TSaveAnswer::Cancel;
  });
  Click(MenuItem("Close"));
  EXPECT_EQ(Questions, 0);
  EXPECT_EQ(Construction.KitCount, 0);
  SetQuestionSink({});
}

// Whatever the screen, the viewport leaves the left column free: its menu,
// kit, piece and mode buttons stay in reach. (Run on small screens too.)
TEST_F(Shell, TheViewportLeavesTheLeftColumnFree) {
  StartNew("50", "50", "50");
  ASSERT_TRUE(fLook->isVisible());
  const QSize Screen = fBase->screen()->size();
  const QRect Viewport(fLook->position(), fLook->size());
  EXPECT_GE(Viewport.left(), TfBase::LeftColumnWidth);
  EXPECT_GE(Viewport.top(), 0);
  EXPECT_LE(Viewport.right(), Screen.width() - 1);
  EXPECT_LE(Viewport.bottom(), Screen.height() - 1);
  EXPECT_EQ(Construction.ViewportWidth, Viewport.width());
  EXPECT_EQ(Construction.ViewportHeight, Viewport.height());
  // The aspect of 800 x 600 is kept, to the pixel.
  EXPECT_LE(std::abs(Viewport.width() * 3 - Viewport.height() * 4), 4);
  // The Insert button takes a click: the viewport is not in its way.
  Click(ColumnButton("Insert"));
  EXPECT_EQ(Construction.Mode, ModeInsert);
}

TEST_F(Shell, ButtonsLightUpUnderThePointerAndFitTheirCaptions) {
  const QImage White = fBase->HoverPicture("BaseButtonWhite")->pixmap().toImage();
  const QImage Blue = fBase->HoverPicture("BaseButtonBlue")->pixmap().toImage();
  const QPoint Middle(White.width() / 2, White.height() / 2);
  ASSERT_NE(White.pixelColor(Middle), Blue.pixelColor(Middle));
  TLabelButton *Load = fStart->lblLoadConstruction, *New = fStart->lblNewConstruction;
  auto Face = [&](TLabelButton *B) { return B->Image->pixmap().toImage().pixelColor(Middle); };

  EXPECT_EQ(Face(Load), White.pixelColor(Middle));
  QTest::mouseMove(fStart->windowHandle(), Load->geometry().center());
  EXPECT_EQ(Face(Load), Blue.pixelColor(Middle));
  EXPECT_EQ(Face(New), White.pixelColor(Middle));
  QTest::mouseMove(fStart->windowHandle(), New->geometry().center());
  EXPECT_EQ(Face(Load), White.pixelColor(Middle));
  EXPECT_EQ(Face(New), Blue.pixelColor(Middle));
  // The captions' face is the metric-compatible one the layout was made
  // for; every caption fits its button, and the start dialog its buttons.
  EXPECT_EQ(QFontInfo(New->font()).family(), "Liberation Sans");
  for (QWidget *Window : {static_cast<QWidget *>(fStart), fBase->pLeft, fBase->pConstruction})
    for (TLabelButton *Button : Window->findChildren<TLabelButton *>())
      EXPECT_LE(QFontMetrics(Button->font()).horizontalAdvance(Button->text()), Button->width())
          << Button->text().toStdString();
  for (TLabelButton *Button : fStart->findChildren<TLabelButton *>())
    EXPECT_TRUE(fStart->rect().contains(Button->geometry())) << Button->text().toStdString();
}

TEST_F(Shell, EditingSession) {
  StartNew("50", "50", "20");
  ASSERT_EQ(fLook->size(), QSize(800, 600));
  const int W = 800, H = 600;
  ChoosePiece(BlueTwo);

  // The corner pictures frame the foot of the left column from the first show.
  const int Foot = fBase->height() - 15;
  for (const auto &[Name, X] : {std::pair{"LeftDown", 114}, std::pair{"LeftBottomWhite", 129}}) {
    const QImage Corner = ArtworkImage(Name).convertToFormat(QImage::Format_ARGB32);
    const QImage Shown = ScreenPart(QRect(X, Foot, 15, 15));
    int Opaque = 0, Same = 0;
    for (int Y = 0; Y < 15; ++Y)
      for (int X2 = 0; X2 < 15; ++X2)
        if (Corner.pixelColor(X2, Y).alpha() == 255) {
          ++Opaque;
          Same += Shown.pixelColor(X2, Y) == Corner.pixelColor(X2, Y);
        }
    ASSERT_GT(Opaque, 0) << Name;
    EXPECT_EQ(Same, Opaque) << Name;
  }

  // Insert: any button places the chosen piece on the surface clicked.
  Click(ColumnButton("Insert"));
  ASSERT_GE(PickAt(W / 2, H / 2), BaseCodeStart);
  const QColor Ground = ViewportPixel(W / 2, H / 2);
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(Construction.Pieces[1].Z, 0);
  EXPECT_NE(ViewportPixel(W / 2, H / 2), Ground);
  const TPixel OnTop = PixelOf(TopCellCentre(1, 1));
  QTest::mouseClick(fLook, Qt::RightButton, {}, QPoint(OnTop.X, OnTop.Y));
  ASSERT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Construction.Pieces[2].Z, SizeOf(BlueTwo).Z);

  Click(ColumnButton("Extract"));
  const TPixel Upper = PixelOf(TopCellCentre(2, 1));
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(Upper.X, Upper.Y));
  EXPECT_EQ(Construction.PieceCount, 1);

  // Rotate: a press low in the window tilts down by a tenth of its distance
  // from the middle, and the pointer shows which way.
  Click(ColumnButton("Rotate"));
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(W / 2, H - 40));
  EXPECT_DOUBLE_EQ(CurrentCamera().Tilt, 55 - 26);
  QTest::mouseMove(fLook, QPoint(W / 2, H - 40));
  EXPECT_EQ(ScreenCursor(), crRotateDown);
  // Its animation runs on while the pointer moves: moves faster than its
  // quickest step must not hold it on the first frame.
  LoadCursors(STAVEMONT_BUILD_DIR "/Cursors/Blue/");
  const TAniCursor *Animation = LoadedCursor(crRotateDown);
  ASSERT_TRUE(Animation && Animation->Steps.size() > 1);
  int Quickest = 1000, Round = 0;
  for (const TAniStep &Step : Animation->Steps) {
    Quickest = std::min(Quickest, Step.Milliseconds);
    Round += Step.Milliseconds;
  }
  std::set<size_t> FramesShown;
  for (QElapsedTimer Clock; !Clock.isValid() || Clock.elapsed() < 2 * Round;) {
    if (!Clock.isValid())
      Clock.start();
    QTest::mouseMove(fLook, QPoint(W / 2 + int(Clock.elapsed() % 7), H - 40));
    QTest::qWait(std::max(1, Quickest / 3));
    const QImage Shown = QGuiApplication::overrideCursor()->pixmap().toImage();
    for (size_t F = 0; F < Animation->Frames.size(); ++F)
      if (ScreenCursor() == crRotateDown &&
          Shown == Animation->Frames[F].Image.convertToFormat(Shown.format()))
        FramesShown.insert(F);
  }
  EXPECT_GT(FramesShown.size(), 1u);
  QEvent Leave(QEvent::Leave);
  QCoreApplication::sendEvent(fLook, &Leave);
  EXPECT_EQ(ScreenCursor(), crArrow);

  // The menu reaches to 63 pixels above the screen's bottom; picking an
  // item closes it.
  TLabelButton *Size = MenuItem("Size");
  EXPECT_TRUE(fBase->pConstruction->isVisible());
  EXPECT_EQ(fBase->pConstruction->height(), fBase->screen()->size().height() - 63);
  Click(Size);
  EXPECT_EQ(Construction.Mode, ModeSize);
  EXPECT_FALSE(fBase->pConstruction->isVisible());
  // Size: a press low in the window makes it shorter, keeping its middle.
  const QRect Before = fLook->geometry();
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(W / 2, H - 40));
  EXPECT_EQ(fLook->geometry(), Before.adjusted(0, 65, 0, -65));
  EXPECT_EQ(Construction.ViewportHeight, 470);

  // The turn arrows step the chosen piece's rotation round both ways, and
  // the footprint preview follows: a 2 x 1 footprint lies across the middle
  // for rotations 1 and 3, along it for 2 and 4.
  ChoosePiece(BlueOne);
  auto Arrow = [](int X) { return fBase->pLeft->childAt(X, 110); };
  auto Footprint = [] { return fBase->iBaseLook->pixmap().toImage().pixelColor(66, 56); };
  const QColor Base = ColorOf(Construction.BaseColor);
  for (int Expected : {2, 3, 4, 1}) {
    Click(Arrow(12));
    EXPECT_EQ(Construction.CurrentRotation, Expected);
    EXPECT_EQ(Footprint() == Base, Expected % 2 == 0) << Expected;
  }
  for (int Expected : {4, 3}) {
    Click(Arrow(117));
    EXPECT_EQ(Construction.CurrentRotation, Expected);
    EXPECT_EQ(Footprint() == Base, Expected % 2 == 0) << Expected;
  }
  // Both presses of a fast double press turn; only the left button turns.
  QWindow *Window = fBase->windowHandle();
  QTest::mouseDClick(Window, Qt::LeftButton, {}, Arrow(12)->mapTo(fBase, QPoint(12, 15)));
  EXPECT_EQ(Construction.CurrentRotation, 1);
  for (Qt::MouseButton Other : {Qt::RightButton, Qt::MiddleButton})
    QTest::mouseClick(Window, Other, {}, Arrow(12)->mapTo(fBase, QPoint(12, 15)));
  EXPECT_EQ(Construction.CurrentRotation, 1);
  QTest::mouseClick(Window, Qt::RightButton, {}, MenuItem("Close")->mapTo(fBase, QPoint(60, 12)));
  EXPECT_EQ(Construction.KitCount, 1) << "a right click closed the program";
  EXPECT_FALSE(fStart->isVisible());
  Click(fBase->pConstruction);

  // Save as takes a name from the dialog and adds the extension.
  const std::string Saved = Dir + "Constructions/first.cns";
  auto SavedFile = [&Saved] {
    TConstructionFile File;
    std::string Reason;
    EXPECT_TRUE(DecodeConstruction(ReadBytes(Saved), File, Reason)) << Reason;
    return File;
  };
  AnswerFileDialog(Dir + "Constructions/first");
  Click(MenuItem("Save as..."));
  EXPECT_EQ(Construction.FileName, Saved);
  EXPECT_EQ(SavedFile().Pieces.size(), 1u);
  EXPECT_EQ(SavedFile().Views.back().Tilt, 29);

  Click(MenuItem("Re-center"));
  EXPECT_EQ(CurrentCamera().Tilt, 55);
  EXPECT_EQ(CurrentCamera().Turn, 0);
  EXPECT_EQ(CurrentCamera().Distance, 75);
  // Save writes to the same file without asking.
  EXPECT_FALSE(DialogOpensOn(MenuItem("Save")));
  EXPECT_EQ(SavedFile().Views.back().Tilt, 55);

  // A capture shows what was built: the piece where the screen shows it.
  const std::string Shot = Dir + "Captures/session.png";
  std::filesystem::create_directories(Dir + "Captures");
  AnswerFileDialog(Shot);
  Click(MenuItem("Capture"));
  const QImage Captured(QString::fromStdString(Shot));
  ASSERT_EQ(Captured.size(), QSize(Construction.ViewportWidth, Construction.ViewportHeight));
  const TPixel Piece = PixelOf(TopCellCentre(1, 1));
  EXPECT_EQ(Captured.pixelColor(Piece.X, Piece.Y), ViewportPixel(Piece.X, Piece.Y));
  EXPECT_NE(Captured.pixelColor(Piece.X, Piece.Y), ColorOf(Construction.BaseColor));
  EXPECT_TRUE(Messages.empty());
}

TEST_F(Shell, LoadingRefusesBadFilesAndShowsGoodOnes) {
  const TPlacedPiece One{1, BlueOne, 2, 3, 0, 1}, Eight_{1, Eight, 12, 20, 0, 2},
      Door_{1, Door, 22, 5, 0, 4};
  struct {
    const char *Name;
    std::vector<uint8_t> Bytes;
  } Bad[] = {{"short.cns", Draft(30, {One})},
             {"narrow.cns", Draft(9, {One})},
             {"overlap.cns", Draft(30, {One, One})}};
  Bad[0].Bytes.resize(1000);
  Construction.Mode = ModeZoom;
  // Refused through the start dialog's button, a file leaves no trace: no
  // name to save over, no piece chosen from a kit loaded for it (the overlap
  // is found once Marbelo is loaded), no word of loading on the status line.
  for (auto &File : Bad) {
    const std::string Path = Dir + "Constructions/" + File.Name;
    WriteBytes(Path, File.Bytes);
    Messages.clear();
    AnswerFileDialog(Path);
    Click(fStart->lblLoadConstruction);
    ASSERT_EQ(Messages.size(), 1u) << File.Name;
    EXPECT_NE(Messages[0].Text.find('"' + Path + '"'), std::string::npos);
    EXPECT_EQ(Messages[0].Title, "Error - construction file");
    EXPECT_TRUE(fStart->isVisible()) << File.Name;
    EXPECT_FALSE(fBase->isVisible()) << File.Name;
    EXPECT_EQ(Construction.KitCount, 0) << File.Name;
    EXPECT_EQ(Construction.BaseWidth, 0) << File.Name;
    EXPECT_EQ(Construction.Mode, ModeZoom) << File.Name;
    EXPECT_EQ(ScreenCursor(), crArrow) << File.Name;
    EXPECT_EQ(Construction.FileName, "") << File.Name;
    EXPECT_EQ(Construction.CurrentKit + Construction.CurrentPiece + Construction.CurrentRotation +
                  Construction.CurrentSizeX + Construction.CurrentSizeY +
                  Construction.CurrentSizeZ + Construction.AnchorCell,
              0)
        << File.Name;
    EXPECT_EQ(fStart->lblStatus->text(), "") << File.Name;
  }

  // A hundred libraries that sort before it leave Marbelo out of the scan: a
  // file that needs it is refused for that reason, not as missing, and the
  // program goes on.
  for (int N = 0; N < 100; ++N)
    WriteBytes(Dir + "Kits/A" + std::to_string(100 + N) + ".so", {});
  Construction.FileName = Dir + "Constructions/good.cns";
  WriteBytes(Construction.FileName, Draft(30, {One, Eight_, Door_}));
  Messages.clear();
  LoadConstruction();
  ASSERT_EQ(Messages.size(), 2u);
  EXPECT_NE(Messages[0].Text.find("holds 101 kit libraries"), std::string::npos) << Messages[0].Text;
  EXPECT_NE(Messages[0].Text.find("Left out: Marbelo.so."), std::string::npos) << Messages[0].Text;
  EXPECT_NE(Messages[1].Text.find("kit \"Marbelo\" is in the Kits folder but was left out"),
            std::string::npos) << Messages[1].Text;
  EXPECT_TRUE(fStart->isVisible());
  EXPECT_EQ(Construction.KitCount, 0);
  for (int N = 0; N < 100; ++N)
    fs::remove(Dir + "Kits/A" + std::to_string(100 + N) + ".so");

  Messages.clear();
  LoadConstruction();
  EXPECT_TRUE(Messages.empty());
  EXPECT_TRUE(fBase->isVisible());
  EXPECT_FALSE(fStart->isVisible());
  EXPECT_EQ(Construction.Mode, ModeZoom);
  EXPECT_EQ(Construction.BaseWidth, 30);
  EXPECT_EQ(Construction.BaseColor, 0x00208040u);
  // The menu's swatches show the file's colours.
  Click(ColumnButton("Construction"));
  EXPECT_EQ(ScreenPixel(fBase->sColor), ColorOf(0x00603010));
  EXPECT_EQ(ScreenPixel(fBase->sBase), ColorOf(0x00208040));
  Click(fBase->pConstruction);
  ASSERT_EQ(Construction.KitCount, 1);
  EXPECT_EQ(Construction.KitNames[1], "Marbelo");
  ASSERT_EQ(Construction.ViewCount, 2);
  EXPECT_EQ(Construction.Views[1].Name, "Front");
  EXPECT_EQ(CurrentCamera().Tilt, 60);
  ASSERT_EQ(Construction.PieceCount, 3);
  const TPlacedPiece Expected[] = {One, Eight_, Door_};
  EXPECT_EQ(std::memcmp(Construction.Pieces + 1, Expected, sizeof Expected), 0);
  // The viewport shows the file's scene colour around its pieces, and the
  // pieces where they stand.
  ASSERT_EQ(PickAt(30, 30), 0);
  EXPECT_EQ(ViewportPixel(30, 30), ColorOf(0x00603010));
  for (int N = 1; N <= 3; ++N) {
    const TPixel Top = PixelOf(TopCellCentre(N, 1));
    EXPECT_EQ(PickAt(Top.X, Top.Y) / 101, N);
    EXPECT_NE(ViewportPixel(Top.X, Top.Y), ColorOf(0x00603010));
  }

  // A kit that is not in the Kits folder ends the program with status 1;
  // done last.
  Construction.FileName = Dir + "Constructions/nope.cns";
  WriteBytes(Construction.FileName, Draft(30, {}, "Nope"));
  // Run as from the start dialog's button, inside the program's event loop;
  // should the program not end, the loop is left with another code.
  QTimer::singleShot(0, [] {
    LoadConstruction();
    QTimer::singleShot(0, [] { QApplication::exit(2); });
  });
  EXPECT_EQ(QApplication::exec(), 1);
  ASSERT_FALSE(Messages.empty());
  EXPECT_EQ(Messages.back().Text, "This construction use the kit: \"Nope\", that can't be found");
  EXPECT_EQ(Messages.back().Title, "Error - kit: \"Nope\" doesn't exists");
}

// Two editors on one file: a save over a file that another saved since
// asks first, and each answer does what it says.
TEST_F(Shell, SavingOverAFileChangedElsewhereAsksFirst) {
  StartNew("10", "10", "10");
  const std::string Shared = Dir + "Constructions/shared.cns", Mine = Dir + "Constructions/mine.cns";
  AnswerFileDialog(Shared);
  Click(MenuItem("Save as..."));
  ASSERT_EQ(ReadBytes(Shared).size(), ConstructionFileSize);
  std::vector<std::string> Asked;
  int Answer = 2;
  SetChoiceSink([&](const std::string &Text, const std::string &, const std::vector<std::string> &Choices) {
    Asked.push_back(Text);
    EXPECT_EQ(Choices, (std::vector<std::string>{"Overwrite", "Save as...", "Cancel"}));
    return Answer;
  });
  Click(MenuItem("Save")); // nobody else wrote it
  EXPECT_TRUE(Asked.empty());

  // The other editor saves its own construction under the name.
  const auto TheyWrite = [](const std::string &Path) {
    QTest::qWait(20); // a later time of change than our own save's
    std::vector<uint8_t> Theirs = ReadBytes(Path);
    Theirs[0] ^= 1;
    WriteBytes(Path, Theirs);
    return Theirs;
  };
  const std::vector<uint8_t> Theirs = TheyWrite(Shared);
  SetSceneColor(0x00102030);
  Click(MenuItem("Save")); // cancelled
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_NE(Asked[0].find(Shared + " was changed on disk"), std::string::npos) << Asked[0];
  EXPECT_TRUE(ReadBytes(Shared) == Theirs);

  Answer = 1; // save as a new name
  AnswerFileDialog(Mine);
  Click(MenuItem("Save"));
  EXPECT_EQ(Asked.size(), 2u);
  EXPECT_EQ(Construction.FileName, Mine);
  EXPECT_TRUE(ReadBytes(Mine) == EncodeConstruction());
  EXPECT_TRUE(ReadBytes(Shared) == Theirs);

  TheyWrite(Mine);
  Answer = 0; // overwrite
  Click(MenuItem("Save"));
  EXPECT_EQ(Asked.size(), 3u);
  EXPECT_TRUE(ReadBytes(Mine) == EncodeConstruction());
  SetChoiceSink({});
}

// Unsaved work is in the recovery file after every edit, with the name of
// the file it belongs to; a save that leaves nothing unsaved, or Close,
// takes it away.
TEST_F(Shell, UnsavedWorkIsKeptForRecoveryUntilSavedOrClosed) {
  const std::string Kept = RecoveryFile();
  const auto Holds = [&Kept](const std::string &Name) {
    std::vector<uint8_t> Expected = EncodeConstruction();
    Expected.insert(Expected.end(), Name.begin(), Name.end());
    for (int Wait = 0; Wait < 250; ++Wait, QTest::qWait(20))
      if (ReadBytes(Kept) == Expected)
        return true;
    return false;
  };
  const auto Gone = [&Kept] { return !fs::exists(Kept); };
  StartNew("10", "10", "10");
  EXPECT_TRUE(Gone()); // nothing to recover yet
  ASSERT_TRUE(AddView("One"));
  EXPECT_TRUE(Holds(""));

  const std::string File = Dir + "Constructions/kept.cns";
  AnswerFileDialog(File);
  Click(MenuItem("Save as..."));
  EXPECT_TRUE(Gone());
  ASSERT_TRUE(AddView("Two"));
  EXPECT_TRUE(Holds(File));
  Click(MenuItem("Undo")); // back to what is saved
  EXPECT_TRUE(Gone());
  Click(MenuItem("Redo"));
  EXPECT_TRUE(Holds(File));

  SetQuestionSink([](const std::string &, const std::string &) { return TSaveAnswer::Discard; });
  Click(MenuItem("Close"));
  SetQuestionSink({});
  EXPECT_TRUE(Gone());
}

// Work that a program which has ended left behind is offered, newest first:
// kept for later, discarded, or recovered under its own file name with its
// changes unsaved. A running program's recovery file is not offered.
TEST_F(Shell, WorkLeftByAnEndedProgramIsOffered) {
  const auto Ended = [] {
    const pid_t Child = fork();
    if (Child == 0)
      _exit(0);
    waitpid(Child, nullptr, 0);
    return Child;
  };
  const TPlacedPiece One{1, 1, 2, 2, 0, 1}, Two{1, 2, 6, 6, 0, 1};
  const std::string Older = RecoveryFolder() + std::to_string(Ended()) + ".recovery",
                    Newer = RecoveryFolder() + std::to_string(Ended()) + ".recovery",
                    Running = RecoveryFolder() + std::to_string(getppid()) + ".recovery";
  fs::create_directories(RecoveryFolder());
  const std::string House = Dir + "Constructions/house.cns";
  std::vector<uint8_t> OlderBytes = Draft(30, {One}), NewerBytes = Draft(30, {One, Two});
  NewerBytes.insert(NewerBytes.end(), House.begin(), House.end());
  WriteBytes(Older, OlderBytes);
  WriteBytes(Running, OlderBytes);
  WriteBytes(Newer, NewerBytes);
  const auto Past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(Older, Past - std::chrono::hours(1));
  fs::last_write_time(Newer, Past);

  std::vector<std::string> Asked;
  std::vector<int> Answers = {1, 2}; // later, then discard
  SetChoiceSink([&](const std::string &Text, const std::string &Title,
                    const std::vector<std::string> &Choices) {
    Asked.push_back(Text);
    EXPECT_EQ(Title, "Recover construction");
    EXPECT_EQ(Choices, (std::vector<std::string>{"Recover", "Later", "Discard"}));
    const int Answer = Answers.front();
    Answers.erase(Answers.begin());
    return Answer;
  });
  EXPECT_FALSE(OfferRecovery());
  ASSERT_EQ(Asked.size(), 2u);
  EXPECT_NE(Asked[0].find("the construction \"" + House + "\""), std::string::npos) << Asked[0];
  EXPECT_NE(Asked[1].find("a construction that was never saved"), std::string::npos) << Asked[1];
  EXPECT_TRUE(fs::exists(Newer));
  EXPECT_FALSE(fs::exists(Older));
  EXPECT_TRUE(fs::exists(Running));
  EXPECT_FALSE(fBase->isVisible());

  Answers = {0};
  EXPECT_TRUE(OfferRecovery());
  EXPECT_TRUE(fBase->isVisible());
  EXPECT_EQ(Construction.FileName, House);
  EXPECT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Construction.Pieces[2].Piece, 2);
  EXPECT_TRUE(fBase->isWindowModified());
  EXPECT_FALSE(fs::exists(Newer));
  EXPECT_TRUE(ReadBytes(RecoveryFile()) == NewerBytes); // now this program's own
  SetChoiceSink({});
  fs::remove(Running);
}

TEST_F(Shell, FailedSaveIsReportedAndKeepsTheEarlierFile) {
  StartNew("10", "10", "10");
  const std::string Good = Dir + "Constructions/good.cns";
  Construction.FileName = Good;
  Click(MenuItem("Save"));
  const std::vector<uint8_t> Before = ReadBytes(Good);
  ASSERT_EQ(Before.size(), ConstructionFileSize);

  std::ofstream(Dir + "afile") << "not a folder";
  SetSceneColor(0x00123456); // so that a save would change the file
  Construction.Mode = ModeExtract;
  struct {
    std::string Path;
    const char *Error;
    rlim_t SizeLimit;
  } Cases[] = {{Dir + "Missing/x.cns", "No such file or directory", RLIM_INFINITY},
               {Dir + "afile/x.cns", "Not a directory", RLIM_INFINITY},
               {Good, "File too large", 4096}};
  rlimit Limit{};
  getrlimit(RLIMIT_FSIZE, &Limit);
  std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
  for (const auto &Case : Cases) {
    Construction.FileName = Case.Path;
    Messages.clear();
    TLabelButton *Save = MenuItem("Save");
    rlimit Lower{std::min(Case.SizeLimit, Limit.rlim_max), Limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &Lower);
    Click(Save);
    setrlimit(RLIMIT_FSIZE, &Limit);
    ASSERT_EQ(Messages.size(), 1u) << Case.Path;
    EXPECT_EQ(Messages[0].Text, "Unable to write " + Case.Path + ": " + Case.Error);
    EXPECT_EQ(Messages[0].Title, "Stavemont");
    EXPECT_EQ(Construction.Mode, ModeExtract);
    EXPECT_EQ(ScreenCursor(), crArrow);
    EXPECT_TRUE(fBase->pConstruction->isVisible()) << "the menu stays open for another try";
    Click(fBase->pConstruction);
  }
  // Save as under a name that cannot be written keeps the name it had.
  Construction.FileName.clear();
  Messages.clear();
  AnswerFileDialog(Dir + "Missing/y.cns");
  Click(MenuItem("Save as..."));
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Construction.FileName, "");
  EXPECT_TRUE(fBase->pConstruction->isVisible());
  EXPECT_TRUE(ReadBytes(Good) == Before);
  int Entries = 0;
  for ([[maybe_unused]] const auto &Entry : fs::directory_iterator(Dir + "Constructions"))
    ++Entries;
  EXPECT_EQ(Entries, 1); // no half-written file left behind
}

// The viewport shows the cell grid until it is switched off, and the choice
// outlives the program; in Insert mode the mouse shows the piece a click
// there inserts.
TEST_F(Shell, GridAndPreviewShowWhereAPieceGoes) {
  StartNew("20", "20", "20");
  const int W = Construction.ViewportWidth, H = Construction.ViewportHeight;
  auto Viewport = [&] { return ScreenPart(QRect(fLook->mapToGlobal(QPoint(0, 0)), QSize(W, H))); };
  auto Differing = [](const QImage &A, const QImage &B) {
    int Count = 0;
    for (int Y = 0; Y < A.height(); ++Y)
      for (int X = 0; X < A.width(); ++X)
        Count += A.pixel(X, Y) != B.pixel(X, Y);
    return Count;
  };
  ASSERT_TRUE(ViewportOverlay.Grid);
  const QImage WithGrid = Viewport();
  const TPixel Middle = PixelOf({10.5, 10.5, 0});
  const QColor CellMiddle = ViewportPixel(Middle.X, Middle.Y);
  Click(MenuItem("Hide grid"));
  EXPECT_FALSE(ViewportOverlay.Grid);
  const QImage Plain = Viewport();
  EXPECT_GT(Differing(WithGrid, Plain), 1000) << "the lines were on the base";
  EXPECT_EQ(ViewportPixel(Middle.X, Middle.Y), CellMiddle) << "and only on its cell edges";
  ReadSettings();
  EXPECT_FALSE(ViewportOverlay.Grid) << "the choice is remembered";
  Click(ColumnButton("Construction"));
  EXPECT_EQ(fBase->lblGrid->text(), "Show grid");
  Click(fBase->lblGrid);
  EXPECT_TRUE(ViewportOverlay.Grid);
  ReadSettings();
  EXPECT_TRUE(ViewportOverlay.Grid);
  EXPECT_EQ(Differing(WithGrid, Viewport()), 0);

  // The preview follows the mouse in Insert mode, and a click inserts what it showed.
  Click(ColumnButton("Insert"));
  QTest::mouseMove(fLook, QPoint(Middle.X, Middle.Y));
  QTest::qWait(50);
  ASSERT_EQ(ViewportOverlay.Mark, TOverlay::Fits);
  const TOverlayPiece Shown = ViewportOverlay.Piece;
  EXPECT_NE(ViewportPixel(Middle.X, Middle.Y), CellMiddle) << "the piece shows see-through";
  EXPECT_EQ(Construction.PieceCount, 0) << "the preview is no piece";
  EXPECT_FALSE(fBase->lblUndo->isEnabled()) << "nor an edit";
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(Middle.X, Middle.Y));
  ASSERT_EQ(Construction.PieceCount, 1);
  const TPlacedPiece &P = Construction.Pieces[1];
  EXPECT_EQ((TOverlayPiece{P.Kit, P.Piece, P.Rotation, P.X, P.Y, P.Z}), Shown);
  // The state lines tell the name, the unsaved change and the mode.
  EXPECT_EQ(fBase->lblState->text(), "Untitled\nUnsaved changes\nMode: Insert");
  // Beside the piece, where the next one would take its cells, the preview
  // turns red and the state tells why, as a click would.
  bool Refused = false;
  for (int X = P.X - 2; X <= P.X + 2 && !Refused; ++X)
    for (int Y = P.Y - 2; Y <= P.Y + 2 && !Refused; ++Y) {
      const TPixel Beside = PixelOf({X + 0.5, Y + 0.5, 0});
      QTest::mouseMove(fLook, QPoint(Beside.X, Beside.Y));
      QTest::qWait(20);
      Refused = ViewportOverlay.Mark == TOverlay::DoesNotFit;
    }
  ASSERT_TRUE(Refused);
  EXPECT_EQ(fBase->lblState->text(), "Untitled\nUnsaved changes\nMode: Insert\nDoes not fit here");
  // A mode without a preview takes it away, and its note.
  Click(ColumnButton("Rotate"));
  EXPECT_EQ(ViewportOverlay.Mark, TOverlay::None);
  EXPECT_EQ(fBase->lblState->text(), "Untitled\nUnsaved changes\nMode: Rotate");
}

// Export... opens in the Exports folder with the three formats, writes the
// one the chosen filter names, and changes nothing of the construction.
TEST_F(Shell, ExportWritesTheFormatOfTheChosenFilter) {
  StartNew("20", "20", "20");
  Click(ColumnButton("Insert"));
  const TPixel Middle = PixelOf({10.5, 10.5, 0});
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(Middle.X, Middle.Y));
  ASSERT_EQ(Construction.PieceCount, 1);
  const bool Clean = EditHistory().isClean();
  for (int Filter = 0; Filter < 5; ++Filter) {
    QStringList Filters;
    QString Folder;
    QTimer::singleShot(0, [&] {
      auto *Dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      ASSERT_TRUE(Dialog);
      Filters = Dialog->nameFilters();
      Folder = Dialog->directory().absolutePath();
      Dialog->selectNameFilter(Filters[Filter]);
      emit Dialog->filterSelected(Filters[Filter]); // as a user's choice of it says
      Dialog->selectFile(QString::fromStdString(Dir + "Exports/house"));
      static_cast<QDialog *>(Dialog)->accept();
    });
    Click(MenuItem("Export..."));
    EXPECT_EQ(Filters, (QStringList{"glTF binary (*.glb)", "Wavefront OBJ (*.obj)", "STL for 3-D printing (*.stl)",
                                    "Building instructions (*.pdf)", "Parts list (*.html *.csv)"}));
    EXPECT_EQ(Folder.toStdString() + "/", Dir + "Exports/");
  }
  // The parts list filter keeps either of its extensions.
  QTimer::singleShot(0, [&] {
    auto *Dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    ASSERT_TRUE(Dialog);
    Dialog->selectNameFilter("Parts list (*.html *.csv)");
    emit Dialog->filterSelected("Parts list (*.html *.csv)");
    Dialog->selectFile(QString::fromStdString(Dir + "Exports/parts.csv"));
    static_cast<QDialog *>(Dialog)->accept();
  });
  Click(MenuItem("Export..."));
  for (const char *File : {"house.glb", "house.obj", "house.mtl", "house.stl", "house.pdf", "house.html", "parts.csv"})
    EXPECT_TRUE(fs::is_regular_file(Dir + "Exports/" + File)) << File;
  std::ifstream Parts(Dir + "Exports/parts.csv");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Parts), {}),
            "kit,piece,size,count\nMarbelo," + std::to_string(Construction.Pieces[1].Piece) + "," +
                std::to_string(SizeOf(Construction.Pieces[1].Piece).X) + " x " +
                std::to_string(SizeOf(Construction.Pieces[1].Piece).Y) + " x " +
                std::to_string(SizeOf(Construction.Pieces[1].Piece).Z) + ",1\ntotal,,,1\n");
  EXPECT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(EditHistory().isClean(), Clean);
  EXPECT_EQ(Construction.Mode, ModeInsert) << "the busy bracket closed";

  // A folder that cannot be written: the error box says so, and nothing changes.
  Messages.clear();
  AnswerFileDialog(Dir + "Missing/house.glb");
  Click(MenuItem("Export..."));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text.rfind("Unable to export to ", 0), 0u) << Messages[0].Text;
  EXPECT_NE(Messages[0].Text.find("Missing/house.glb: No such file or directory"), std::string::npos)
      << Messages[0].Text;
  EXPECT_EQ(Construction.PieceCount, 1);
}

// A long book shows its progress, and cancelling it leaves no file and no
// message; the editor is as it was.
TEST_F(Shell, CancellingTheInstructionsLeavesNoFile) {
  StartNew("100", "100", "20");
  for (int N = 0; N < 2500; ++N) // 2 500 bricks, 50 a row: more than 200 pages
    Put(BlueOne, N % 50 * 2, N / 50 % 100, N / 5000, 1);
  Messages.clear();
  AnswerFileDialog(Dir + "Exports/long.pdf");
  QString Shown;
  QTimer Watch;
  QObject::connect(&Watch, &QTimer::timeout, [&] {
    for (QWidget *W : QApplication::topLevelWidgets())
      if (auto *Progress = qobject_cast<QProgressDialog *>(W); Progress && Progress->isVisible()) {
        if (Progress->value() > 2) {
          Shown = Progress->labelText();
          Progress->cancel();
        }
      }
  });
  Watch.start(20);
  Click(MenuItem("Export..."));
  Watch.stop();
  EXPECT_NE(Shown.indexOf("Making the building instructions: page "), -1) << Shown.toStdString();
  EXPECT_FALSE(fs::exists(Dir + "Exports/long.pdf"));
  for (const auto &Entry : fs::directory_iterator(Dir + "Exports"))
    ADD_FAILURE() << "left behind: " << Entry.path();
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(Construction.PieceCount, 2500);
  EXPECT_NE(Construction.Mode, ModeBusy);
}

TEST_F(Shell, BackgroundPictureFromTheSettings) {
  std::ofstream(Dir + "Stavemont.ini") << "[Background]\nBitmap=tiles.gif\n";
  std::ofstream(Dir + "Backgrounds/tiles.gif") << "GIF89a";
  StartNew("20", "20", "20");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, "Unknown picture file extension (.gif)");
  EXPECT_EQ(Messages[0].Title, "Stavemont");
  EXPECT_TRUE(fBase->isVisible());
  // Away from the left column and the corner pictures only the tiles show.
  const QPoint At(600, 500);
  const QImage Tile = ArtworkImage("Background");
  const QColor Tiled = Tile.pixelColor(At.x() % Tile.width(), At.y() % Tile.height());
  ASSERT_NE(Tiled, QColor(Qt::white));
  ASSERT_NE(Tiled, ColorOf(Construction.SceneColor));
  auto Shown = [&] { return fBase->grab().toImage().pixelColor(At); };
  EXPECT_EQ(Shown(), Tiled);

  // A picture chosen through the menu is kept in the settings and tiled.
  QImage Plain(16, 16, QImage::Format_RGB32);
  Plain.fill(QColor(200, 0, 200));
  ASSERT_TRUE(Plain.save(QString::fromStdString(Dir + "Backgrounds/plain.png")));
  AnswerFileDialog(Dir + "Backgrounds/plain.png");
  Click(MenuItem("Background"));
  EXPECT_EQ(Shown(), QColor(200, 0, 200));
  ReadSettings();
  EXPECT_EQ(BackgroundName, "plain.png");
  EXPECT_FALSE(fBase->pConstruction->isVisible());

  // A name longer than the file system allows is no such picture: the
  // window keeps what it shows, with no message.
  std::ofstream(Dir + "Stavemont.ini") << "[Background]\nBitmap=" << std::string(300, 'x') << ".png\n";
  Messages.clear();
  ReadSettings();
  fBase->LoadBackground();
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(Shown(), QColor(200, 0, 200));

  // A picture too large to use is refused from its header.
  WriteBytes(Dir + "Backgrounds/huge.png", PngHeader(16000, 16000));
  std::ofstream(Dir + "Stavemont.ini") << "[Background]\nBitmap=huge.png\n";
  ReadSettings();
  fBase->LoadBackground();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].Text.find("is 16000 x 16000 pixels; at most 8192 x 8192"), std::string::npos)
      << Messages[0].Text;
  EXPECT_EQ(Shown(), QColor(200, 0, 200));

  // A named pipe in place of the settings file is reported, not waited on.
  fs::remove(Dir + "Stavemont.ini");
  ASSERT_EQ(mkfifo((Dir + "Stavemont.ini").c_str(), 0644), 0);
  Messages.clear();
  ReadSettings();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].Text.find("Stavemont.ini is not a regular file"), std::string::npos);
  EXPECT_EQ(BackgroundName, "none");
  fs::remove(Dir + "Stavemont.ini");
  std::ofstream(Dir + "Stavemont.ini") << "[Background]\nBitmap=plain.png\n";
  Messages.clear();

  // A picture that cannot be read is reported and never remembered.
  Messages.clear();
  AnswerFileDialog(Dir + "Backgrounds/tiles.gif");
  Click(MenuItem("Background"));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, "Unknown picture file extension (.gif)");
  ReadSettings();
  EXPECT_EQ(BackgroundName, "plain.png");
  EXPECT_EQ(Shown(), QColor(200, 0, 200));
  EXPECT_TRUE(fBase->pConstruction->isVisible()) << "the error ends the command";
  Click(fBase->pConstruction);

  // Settings that cannot be written, neither beside the program nor in the
  // user's data folder: reported, and nothing changes.
  std::ofstream(Dir + "afile") << "not a folder";
  Construction.ProgramDir = Dir + "afile/";
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Dir + "afile"));
  Messages.clear();
  AnswerFileDialog(Dir + "Backgrounds/plain.png");
  Click(MenuItem("Background"));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, "Unable to write to " + Dir + "afile/stavemont/Stavemont.ini");
  EXPECT_EQ(BackgroundName, "plain.png");
  EXPECT_EQ(Shown(), QColor(200, 0, 200));
  EXPECT_TRUE(fBase->pConstruction->isVisible()); // the error leaves the menu open
}

// Answers the next colour dialog: cancels it, or picks Chosen. Records its title.
static void AnswerColorDialog(const QColor *Chosen, QString *Title) {
  QTimer::singleShot(0, [Chosen, Title] {
    auto *Dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
    ASSERT_TRUE(Dialog) << "no colour dialog is open";
    *Title = Dialog->windowTitle();
    if (!Chosen) {
      Dialog->reject();
      return;
    }
    Dialog->setCurrentColor(*Chosen);
    Dialog->accept();
  });
}

TEST_F(Shell, ColoursPiecesAndCapturesFromTheMenu) {
  // With no kit in use "Piece" opens nothing.
  std::filesystem::remove(Dir + "Kits/Marbelo.so");
  StartNew("30", "30", "10");
  ASSERT_EQ(Construction.KitCount, 0);
  Click(ColumnButton("Piece"));
  EXPECT_FALSE(fChoose->isVisible());

  // The menu's swatches show the colours on screen, not what lies under them.
  MenuItem("Rotate"); // opens the menu
  EXPECT_EQ(ScreenPixel(fBase->sColor), QColor(0x9E, 0xC3, 0xE8));
  EXPECT_EQ(ScreenPixel(fBase->sBase), ColorOf(Construction.BaseColor));

  // Cancelling the scene colour changes nothing.
  const uint32_t Scene = Construction.SceneColor;
  QString Title;
  AnswerColorDialog(nullptr, &Title);
  QTest::mousePress(fBase->sColor, Qt::LeftButton);
  EXPECT_EQ(Title, "Scene Color");
  EXPECT_EQ(Construction.SceneColor, Scene);
  const QColor Teal(0, 128, 128);
  AnswerColorDialog(&Teal, &Title);
  QTest::mousePress(fBase->sColor, Qt::LeftButton);
  EXPECT_EQ(ScreenPixel(fBase->sColor), Teal);

  // Pure blue as base colour: its bytes and the footprint panel follow.
  const QColor Blue(0, 0, 255);
  AnswerColorDialog(&Blue, &Title);
  QTest::mousePress(fBase->sBase, Qt::RightButton); // any button
  EXPECT_EQ(Title, "Construction Base Color");
  EXPECT_EQ(Construction.BaseRed, 0);
  EXPECT_EQ(Construction.BaseGreen, 0);
  EXPECT_EQ(Construction.BaseBlue, 255);
  EXPECT_EQ(fBase->pBaseLook->palette().color(QPalette::Window), Blue);
  EXPECT_EQ(ScreenPixel(fBase->sBase), Blue);

  // Capture through the menu: a PNG of the viewport's size.
  const std::string Picture = Dir + "Captures/shot.png";
  std::filesystem::create_directories(Dir + "Captures");
  AnswerFileDialog(Picture);
  Click(MenuItem("Capture"));
  const QImage Captured(QString::fromStdString(Picture));
  ASSERT_FALSE(Captured.isNull());
  EXPECT_EQ(Captured.size(), QSize(Construction.ViewportWidth, Construction.ViewportHeight));
  EXPECT_EQ(Captured.pixelColor(0, 0), ColorOf(Construction.SceneColor));
  EXPECT_FALSE(fBase->pConstruction->isVisible());
}

// Edits taken back and made again from the keyboard, the wheel, the mode the
// buttons show, the notes that explain a press that did nothing, and Close
// asking about unsaved changes.
TEST_F(Shell, EditsCanBeTakenBackAndAreNotLostOnClose) {
  StartNew("30", "30", "20");
  const int W = 800, H = 600;
  QApplication::setActiveWindow(fBase);
  auto Key = [](int Code, Qt::KeyboardModifiers Modifiers = Qt::ControlModifier) {
    QTest::keyClick(fBase, Qt::Key(Code), Modifiers);
  };
  auto Note = [] { return fNote->isVisible() ? fNote->text().toStdString() : std::string(); };
  ChoosePiece(BlueOne);

  // No mode yet: a press says what to do.
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
  EXPECT_EQ(Note(), "Choose Rotate, Move, Zoom, Insert or Extract on the left");
  EXPECT_EQ(Construction.PieceCount, 0);

  // The Insert button looks pressed once chosen, and only it.
  TLabelButton *Insert = ColumnButton("Insert"), *Extract = ColumnButton("Extract");
  Click(Insert);
  QTest::mouseMove(fBase->windowHandle(), QPoint(600, 10)); // off the buttons
  const QImage Pressed = ArtworkImage("BaseButtonPressed"), White = ArtworkImage("BaseButtonWhite");
  auto Face = [](TLabelButton *B) { return B->Image->pixmap().toImage().convertToFormat(QImage::Format_ARGB32); };
  EXPECT_EQ(Face(Insert), Pressed.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(Face(Extract), White.convertToFormat(QImage::Format_ARGB32));

  // Insert, undo, redo: the screen follows each step, the title marks changes.
  const QColor Ground = ViewportPixel(W / 2, H / 2);
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
  EXPECT_EQ(Note(), "") << "the next press took the note away";
  ASSERT_EQ(Construction.PieceCount, 1);
  const TPlacedPiece Placed = Construction.Pieces[1];
  EXPECT_TRUE(fBase->isWindowModified());
  EXPECT_NE(ViewportPixel(W / 2, H / 2), Ground);
  EXPECT_TRUE(fBase->lblUndo->isEnabled());
  EXPECT_FALSE(fBase->lblRedo->isEnabled());
  Key(Qt::Key_Z);
  EXPECT_EQ(Construction.PieceCount, 0);
  EXPECT_EQ(ViewportPixel(W / 2, H / 2), Ground);
  EXPECT_FALSE(fBase->isWindowModified());
  EXPECT_FALSE(fBase->lblUndo->isEnabled());
  EXPECT_TRUE(fBase->lblRedo->isEnabled());
  Key(Qt::Key_Y);
  ASSERT_EQ(Construction.PieceCount, 1);
  Key(Qt::Key_Z);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(Construction.PieceCount, 1);
  Click(MenuItem("Undo"));
  EXPECT_EQ(Construction.PieceCount, 0);
  EXPECT_FALSE(fBase->pConstruction->isVisible());
  Click(MenuItem("Redo"));
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(std::memcmp(&Construction.Pieces[1], &Placed, sizeof Placed), 0);

  // After an undo the chooser opens on the piece chosen to insert.
  Click(ColumnButton("Piece"));
  for (int I = 0; I < 3; ++I)
    Click(fChoose->lblModelRight);
  Click(fChoose->lblOK);
  ASSERT_EQ(Construction.CurrentPiece, 4);
  Key(Qt::Key_Z);
  Click(ColumnButton("Piece"));
  EXPECT_EQ(fChoose->lblModel->text(), "4/11");
  Click(fChoose->lblCancel);
  EXPECT_EQ(Construction.CurrentPiece, 4);
  Key(Qt::Key_Y);
  ASSERT_EQ(Construction.PieceCount, 1);

  // A refused insertion says why, and the note goes by itself.
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Note(), "Click on the base or on top of a piece");
  QTest::qWait(TNote::ShownMilliseconds + 300);
  EXPECT_EQ(Note(), "");

  // Extract and take it back: the piece returns as it was.
  Click(Extract);
  const TPixel Top = PixelOf(TopCellCentre(1, 1));
  QTest::mouseClick(fLook, Qt::LeftButton, {}, QPoint(Top.X, Top.Y));
  EXPECT_EQ(Construction.PieceCount, 0);
  Key(Qt::Key_Z);
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(std::memcmp(&Construction.Pieces[1], &Placed, sizeof Placed), 0);
  EXPECT_NE(ViewportPixel(Top.X, Top.Y), ColorOf(Construction.SceneColor));

  // The wheel zooms in any mode, a quarter of a Zoom press's step per notch.
  const double Distance = CurrentCamera().Distance;
  auto Wheel = [](int Delta) {
    QWheelEvent Event(QPointF(400, 300), QPointF(fLook->mapToGlobal(QPoint(400, 300))), QPoint(),
                      QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(fLook, &Event);
  };
  Wheel(-120); // towards the user: closer
  EXPECT_DOUBLE_EQ(CurrentCamera().Distance, Distance - 3.75);
  Wheel(60);
  Wheel(60); // two halves of a notch make one
  Wheel(120);
  EXPECT_DOUBLE_EQ(CurrentCamera().Distance, Distance + 3.75);
  // Never nearer than the nearest distance, nor farther than the farthest.
  for (int I = 0; I < 200; ++I)
    Wheel(-120);
  EXPECT_DOUBLE_EQ(CurrentCamera().Distance, NearestWheelDistance);
  for (int I = 0; I < 200; ++I)
    Wheel(120);
  EXPECT_DOUBLE_EQ(CurrentCamera().Distance, FarthestWheelDistance);
  CurrentCamera().Distance = Distance;

  // Dragging with the right button turns and tilts the camera, with the
  // middle button or Shift and the right button it moves, in any mode; the
  // left button's press in this mode (Insert) is not taken.
  auto Drag = [](Qt::MouseButton Button, Qt::KeyboardModifiers Keys, QPoint From, QPoint To) {
    QTest::mousePress(fLook, Button, Keys, From);
    QTest::mouseMove(fLook, To);
    QTest::mouseRelease(fLook, Button, Keys, To);
  };
  const TPosition Before = CurrentCamera();
  const int Pieces = Construction.PieceCount;
  Drag(Qt::RightButton, {}, {400, 300}, {420, 300}); // right: turns the other way round
  EXPECT_DOUBLE_EQ(CurrentCamera().Turn, std::fmod(Before.Turn - 10 + 360, 360));
  EXPECT_DOUBLE_EQ(CurrentCamera().Tilt, Before.Tilt);
  Drag(Qt::RightButton, {}, {400, 300}, {400, 280}); // up: tilts towards the side
  EXPECT_DOUBLE_EQ(CurrentCamera().Tilt, Before.Tilt + 10);
  Drag(Qt::RightButton, {}, {400, 100}, {400, 500}); // far down: no further than straight down
  EXPECT_DOUBLE_EQ(CurrentCamera().Tilt, 0);
  Drag(Qt::RightButton, {}, {400, 500}, {400, 100});
  EXPECT_DOUBLE_EQ(CurrentCamera().Tilt, 90);
  Drag(Qt::MiddleButton, {}, {400, 300}, {410, 290}); // moves with the mouse
  EXPECT_GT(CurrentCamera().PanX, Before.PanX);
  EXPECT_LT(CurrentCamera().PanY, Before.PanY);
  const double PanX = CurrentCamera().PanX;
  Drag(Qt::RightButton, Qt::ShiftModifier, {400, 300}, {390, 300});
  EXPECT_LT(CurrentCamera().PanX, PanX);
  EXPECT_EQ(Construction.PieceCount, Pieces) << "no drag inserts";
  CurrentCamera() = Before;

  // Esc closes the menu.
  Click(ColumnButton("Construction"));
  ASSERT_TRUE(fBase->pConstruction->isVisible());
  Key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(fBase->pConstruction->isVisible());

  // Ctrl+S saves as a new file when there is none; the title takes its name.
  const std::string First = Dir + "Constructions/first.cns";
  AnswerFileDialog(First);
  Key(Qt::Key_S);
  EXPECT_EQ(Construction.FileName, First);
  EXPECT_EQ(fBase->windowTitle(), "first.cns[*] - Stavemont");
  EXPECT_FALSE(fBase->isWindowModified());
  Key(Qt::Key_Z); // takes the insertion back: changed since the save
  EXPECT_TRUE(fBase->isWindowModified());

  // Closing with changes asks; Cancel stays, Save saves and ends.
  std::vector<std::string> Asked;
  TSaveAnswer Answer = TSaveAnswer::Cancel;
  SetQuestionSink([&](const std::string &Text, const std::string &) {
    Asked.push_back(Text);
    return Answer;
  });
  fBase->close(); // as the window manager asks
  ASSERT_EQ(Asked, std::vector<std::string>{"Save changes to first.cns?"});
  EXPECT_EQ(Construction.KitCount, 1);
  Answer = TSaveAnswer::Save;
  Click(MenuItem("Close"));
  EXPECT_EQ(Asked.size(), 2u);
  TConstructionFile File;
  std::string Reason;
  ASSERT_TRUE(DecodeConstruction(ReadBytes(First), File, Reason)) << Reason;
  EXPECT_EQ(File.Pieces.size(), 0u);
  EXPECT_EQ(Construction.KitCount, 0) << "the program did not end";
  SetQuestionSink({});
}
