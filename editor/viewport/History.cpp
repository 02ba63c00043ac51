#include "History.h"

#include "model/Global.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QString>

#include <utility>

namespace {

// Set when an edit could not be carried out again or taken back: the
// construction is then where that step began, not where the history says,
// so the history cannot be followed any further and is dropped as soon as
// the step is over.
bool Lost = false;

// The construction is kept as it is, whole; as nobody can tell how it stands
// against its file now, it counts as changed.
void DropLostHistory(QUndoStack &History) {
  if (!Lost)
    return;
  Lost = false;
  History.clear();
  History.resetClean();
}

// Drops the user's presses and keys while an edit is carried out or taken
// back. Bringing a kit (back) into use renders and lets pending window
// messages run; a second undo, redo or edit started there would act on a
// history whose step is half done. A modal box shown meanwhile (a kit that
// cannot be loaded) still takes its own input.
class TInputBlock : public QObject {
protected:
  bool eventFilter(QObject *, QEvent *Event) override {
    if (QGuiApplication::modalWindow())
      return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
      return true;
    default:
      return false;
    }
  }
};

// One step of the history: the input block holds while it lasts (there is
// none to hold without a window application).
class TStep {
public:
  TStep() {
    if (FApplication)
      FApplication->installEventFilter(&FBlock);
  }
  ~TStep() {
    if (FApplication)
      FApplication->removeEventFilter(&FBlock);
  }
  TStep(const TStep &) = delete;
  TStep &operator=(const TStep &) = delete;

private:
  QGuiApplication *FApplication = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
  TInputBlock FBlock;
};

// A change of the scene or the base colour.
class TColorEdit : public TEdit {
public:
  TColorEdit(const char *Text, void (*Set)(uint32_t), uint32_t Former, uint32_t Chosen)
      : TEdit(Text), FSet(Set), FFormer(Former), FChosen(Chosen) {}

protected:
  bool Do() override {
    FSet(FChosen);
    return true;
  }
  bool Undo() override {
    FSet(FFormer);
    return true;
  }

private:
  void (*FSet)(uint32_t);
  uint32_t FFormer, FChosen;
};

} // namespace

TEdit::TEdit(const char *Text) : QUndoCommand(QString::fromUtf8(Text)) {}

void TEdit::redo() {
  if (std::exchange(FSkipRedo, false) || Lost)
    return;
  const TStep Step;
  if (Do())
    FDone = true;
  else if (FDone)
    Lost = true;
  else
    setObsolete(true); // never carried out: the stack does not keep it
}

void TEdit::undo() {
  if (Lost)
    return;
  const TStep Step;
  if (!Undo())
    Lost = true;
}

QUndoStack &EditHistory() {
  static QUndoStack *const History = [] {
    auto *Stack = new QUndoStack;
    // Emitted at the end of every step, once the stack is done with its command.
    QObject::connect(Stack, &QUndoStack::indexChanged, Stack, [Stack] { DropLostHistory(*Stack); });
    return Stack;
  }();
  return *History;
}

void StartHistory() {
  Lost = false;
  EditHistory().clear();
  EditHistory().setClean();
}

bool PerformEdit(std::unique_ptr<TEdit> Edit) {
  QUndoStack &History = EditHistory();
  const int Before = History.index();
  History.push(Edit.release());
  return History.index() != Before;
}

void RecordEdit(std::unique_ptr<TEdit> Edit) {
  Edit->FSkipRedo = Edit->FDone = true;
  EditHistory().push(Edit.release());
}

void RecordSceneColor(uint32_t Former, uint32_t Chosen) {
  if (Former != Chosen)
    RecordEdit(std::make_unique<TColorEdit>("Scene colour", SetSceneColor, Former, Chosen));
}

void RecordBaseColor(uint32_t Former, uint32_t Chosen) {
  if (Former != Chosen)
    RecordEdit(std::make_unique<TColorEdit>("Base colour", SetBaseColor, Former, Chosen));
}
