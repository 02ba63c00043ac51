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

// What the steps under way changed, told to the listener once they end.
TChanges Pending = 0;

std::function<void(TChanges)> &Listener() {
  static std::function<void(TChanges)> L;
  return L;
}

void TellChanges() {
  const TChanges Changes = std::exchange(Pending, 0);
  if (Changes && Listener())
    Listener()(Changes);
}

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

} // namespace

TEdit::TEdit(const char *Text, TChanges Changes)
    : QUndoCommand(QString::fromUtf8(Text)), FChanges(Changes) {}

void TEdit::redo() {
  if (Lost)
    return;
  const TStep Step;
  if (Do()) {
    FDone = true;
    Pending |= FChanges;
  } else if (FDone) {
    Lost = true;
  } else {
    setObsolete(true); // never carried out: the stack does not keep it
  }
}

void TEdit::undo() {
  if (Lost)
    return;
  const TStep Step;
  if (Undo())
    Pending |= FChanges;
  else
    Lost = true;
}

QUndoStack &EditHistory() {
  static QUndoStack *const History = [] {
    auto *Stack = new QUndoStack;
    // Emitted at the end of every step, once the stack is done with its command.
    QObject::connect(Stack, &QUndoStack::indexChanged, Stack, [Stack] {
      DropLostHistory(*Stack);
      TellChanges();
    });
    return Stack;
  }();
  return *History;
}

void StartHistory() {
  Lost = false;
  Pending = 0;
  EditHistory().clear();
  EditHistory().setClean();
}

bool PerformEdit(std::unique_ptr<TEdit> Edit) {
  QUndoStack &History = EditHistory();
  const int Before = History.index();
  History.push(Edit.release());
  return History.index() != Before;
}

void SetChangeListener(std::function<void(TChanges)> NewListener) {
  Listener() = std::move(NewListener);
}
