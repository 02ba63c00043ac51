#include "Cursor.h"

#include "AniCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <array>
#include <filesystem>

namespace {

constexpr int CursorCount = crLast - crFirst + 1;

constexpr std::array<const char *, CursorCount> FileNames{
    "ARROW.ANI",   "SIZEHP.ANI",  "SIZEHM.ANI",  "SIZEVP.ANI",  "SIZEVM.ANI",  "ZOOMIN.ANI",
    "ZOOMOUT.ANI", "MOVEU.ANI",   "MOVED.ANI",   "MOVER.ANI",   "MOVEL.ANI",   "ROTATEU.ANI",
    "ROTATED.ANI", "ROTATER.ANI", "ROTATEL.ANI", "WAIT.ANI",    "INSERT.ANI",  "EXTRACT.ANI"};

std::array<TAniCursor, CursorCount> Table;
int16_t Current = crArrow;

bool IsTableId(int16_t Id) { return Id >= crFirst && Id <= crLast; }

// Shows one id's cursor as the application's override cursor and, when it
// has several steps, moves on to the next step as each one's time runs out.
// It belongs to the application, so its cursor pixmaps go before the
// application does.
class TCursorShow : public QObject {
public:
  explicit TCursorShow(QObject *Parent) : QObject(Parent) {
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] { Advance(); });
  }

  // Showing the cursor already shown changes nothing: its animation runs
  // on instead of starting again at its first step with every mouse move.
  void Show(int16_t Id) {
    if (FShowing && Id == FId)
      return;
    FTimer.stop();
    FId = Id;
    FStep = 0;
    FShowing = true;
    ShowStep();
  }

  // The table was read again: the cursors made from it are out of date.
  void Forget() {
    for (auto &Shapes : FShapes)
      Shapes.clear();
    FShowing = false;
  }

private:
  void Advance() {
    if (const TAniCursor *Cursor = LoadedCursor(FId)) {
      FStep = (FStep + 1) % Cursor->Steps.size();
      ShowStep();
    }
  }

  void ShowStep() {
    const TAniCursor *Cursor = LoadedCursor(FId);
    const QCursor Shape = Cursor ? Frame(*Cursor, Cursor->Steps[FStep].Frame) : QCursor(Qt::ArrowCursor);
    if (QGuiApplication::overrideCursor())
      QGuiApplication::changeOverrideCursor(Shape);
    else
      QGuiApplication::setOverrideCursor(Shape);
    if (Cursor && Cursor->Steps.size() > 1)
      FTimer.start(Cursor->Steps[FStep].Milliseconds);
  }

  const QCursor &Frame(const TAniCursor &Cursor, int Index) {
    std::vector<QCursor> &Shapes = FShapes[FId - crFirst];
    if (Shapes.empty())
      for (const TAniFrame &F : Cursor.Frames)
        Shapes.emplace_back(QPixmap::fromImage(F.Image), F.HotX, F.HotY);
    return Shapes[Index];
  }

  QTimer FTimer;
  std::array<std::vector<QCursor>, CursorCount> FShapes;
  int16_t FId = crArrow;
  bool FShowing = false;
  size_t FStep = 0;
};

QPointer<TCursorShow> Show;

} // namespace

std::string CursorFileName(int16_t Id) { return IsTableId(Id) ? FileNames[Id - crFirst] : ""; }

void LoadCursors(const std::string &Folder) {
  for (int16_t Id = crFirst; Id <= crLast; ++Id) {
    std::string Error;
    const std::filesystem::path File = std::filesystem::path(Folder) / CursorFileName(Id);
    ReadAniCursor(File.string(), Table[Id - crFirst], Error);
  }
  if (Show)
    Show->Forget();
  SetScreenCursor(crArrow);
}

const TAniCursor *LoadedCursor(int16_t Id) {
  return IsTableId(Id) && !Table[Id - crFirst].Steps.empty() ? &Table[Id - crFirst] : nullptr;
}

int16_t ScreenCursor() { return Current; }

void SetScreenCursor(int16_t Id) {
  Current = Id;
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    return;
  if (!Show)
    Show = new TCursorShow(QCoreApplication::instance());
  Show->Show(Id);
}
