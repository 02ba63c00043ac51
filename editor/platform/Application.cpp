#include "Application.h"

#include "Messages.h"

#include <exception>
#if defined(__i386__) || defined(__x86_64__)
#include <fpu_control.h>
#endif

TApplication::TApplication(int &Argc, char **Argv) : QApplication(Argc, Argv) {}

bool TApplication::notify(QObject *Receiver, QEvent *Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (const std::exception &Error) {
    ShowErrorBox(Error.what());
  }
  return false;
}

void MaskFloatingPointExceptions() {
#if defined(__i386__) || defined(__x86_64__)
  fpu_control_t Word = 0x133F;
  _FPU_SETCW(Word);
#endif
}
