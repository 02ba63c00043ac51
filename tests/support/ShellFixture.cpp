#include "ShellFixture.h"

#include "model/Global.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/Memory.h"
#include "platform/Messages.h"
#include "render/Construction.h"
#include "shell/Base.h"
#include "shell/LabelButton.h"
#include "shell/Program.h"
#include "shell/Start.h"
#include "viewport/Look.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;

std::vector<TMessage> Shell::Messages;

void Shell::SetUp() {
  static bool Created = false;
  if (Created)
    GTEST_SKIP() << "the windows exist once per process; run each test on its own";
  Created = true;
  SetMessageSink([](const std::string &Text, const std::string &Title) {
    Messages.push_back({Text, Title});
  });
  char Template[] = "/tmp/stavemont-gui-XXXXXX";
  ASSERT_TRUE(mkdtemp(Template));
  Dir = std::string(Template) + "/";
  for (const char *Folder : {"Kits", "Constructions", "Backgrounds"})
    fs::create_directory(Dir + Folder);
  // The user's data folder (recovery files) is the test's own.
  setenv("XDG_DATA_HOME", (Dir + "data").c_str(), 1);
  fs::create_symlink(STAVEMONT_BUILD_DIR "/Kits/Marbelo.so", Dir + "Kits/Marbelo.so");
  ChoosePixelFormats();
  ASSERT_TRUE(CreateWindows());
  // The start sequence took the test program's folder; use the throwaway one.
  Construction.ProgramDir = Dir;
  QCoreApplication::processEvents();
}

void Shell::TearDown() {
  if (!Dir.empty())
    fs::remove_all(Dir);
}

void Shell::StartNew(const char *Width, const char *Length, const char *Height) {
  Click(fStart->lblNewConstruction);
  fStart->edWidth->setText(Width);
  fStart->edLength->setText(Length);
  fStart->edHeight->setText(Height);
  Click(fStart->lblOKStart);
  QCoreApplication::processEvents();
}

void Shell::Click(QWidget *Widget, Qt::MouseButton Button) {
  ASSERT_TRUE(Widget);
  QTest::mouseClick(Widget, Button);
}

namespace {

TLabelButton *ButtonOn(QWidget *Parent, const QString &Caption) {
  for (TLabelButton *Button : Parent->findChildren<TLabelButton *>())
    if (Button->text() == Caption)
      return Button;
  ADD_FAILURE() << "no button " << Caption.toStdString();
  return nullptr;
}

} // namespace

TLabelButton *Shell::ColumnButton(const QString &Caption) { return ButtonOn(fBase->pLeft, Caption); }

TLabelButton *Shell::MenuItem(const QString &Caption) {
  Click(ColumnButton("Construction"));
  return ButtonOn(fBase->pConstruction, Caption);
}

void Shell::AnswerFileDialog(const std::string &Path) {
  QTimer::singleShot(0, [Path] {
    auto *Dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    ASSERT_TRUE(Dialog) << "no file dialog is open";
    Dialog->selectFile(QString::fromStdString(Path));
    static_cast<QDialog *>(Dialog)->accept(); // as the dialog's own button does
  });
}

bool Shell::DialogOpensOn(QWidget *Widget) {
  bool Opened = false;
  QTimer::singleShot(0, [&Opened] {
    if (QWidget *Dialog = QApplication::activeModalWidget())
      Opened = Dialog->close();
  });
  Click(Widget);
  QCoreApplication::processEvents(); // the check runs now if nothing opened
  return Opened;
}

QColor Shell::ViewportPixel(int X, int Y) {
  const QPoint At = fLook->mapToGlobal(QPoint(X, Y));
  return fLook->screen()->grabWindow(0, At.x(), At.y(), 1, 1).toImage().pixelColor(0, 0);
}

QImage Shell::ScreenPart(const QRect &Rect) {
  QTest::qWait(20); // whatever is still to be painted
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, Rect.x(), Rect.y(), Rect.width(), Rect.height())
      .toImage();
}

QColor Shell::ScreenPixel(const QWidget *Widget) {
  const QPoint At = Widget->mapToGlobal(Widget->rect().center());
  return ScreenPart(QRect(At, QSize(1, 1))).pixelColor(0, 0);
}

QColor Shell::ColorOf(uint32_t Stored) {
  return QColor(int(Stored & 0xFF), int((Stored >> 8) & 0xFF), int((Stored >> 16) & 0xFF));
}

void Shell::ChoosePiece(uint16_t Piece) {
  Construction.CurrentKit = 1;
  Construction.CurrentPiece = Piece;
  Construction.CurrentRotation = 1;
  Construction.AnchorCell = 1;
  Construction.Kits[1].GetPiece(uint8_t(Piece), &Construction.CurrentSizeX,
                                &Construction.CurrentSizeY, &Construction.CurrentSizeZ);
}

std::vector<uint8_t> Shell::ReadBytes(const std::string &Path) {
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void Shell::WriteBytes(const std::string &Path, const std::vector<uint8_t> &Bytes) {
  std::ofstream Out(Path, std::ios::binary);
  Out.write(reinterpret_cast<const char *>(Bytes.data()), std::streamsize(Bytes.size()));
}

// The program's own start: freed buffers kept, the GL integration chosen and
// floating-point exceptions masked before the application exists. Listing
// the tests needs no application.
int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  KeepFreedBuffers();
  ChooseGlIntegration();
  MaskFloatingPointExceptions();
  std::unique_ptr<TApplication> App;
  if (!GTEST_FLAG_GET(list_tests))
    App = std::make_unique<TApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
