#include "Application.h"

#include "Messages.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <utility>
#include <unistd.h>
#if defined(__i386__) || defined(__x86_64__)
#include <fpu_control.h>
#endif

namespace {

QtMessageHandler UsualHandler = nullptr;
QStringList HeldMessages;

[[noreturn]] void NoDisplay() {
  const char *Display = std::getenv("DISPLAY");
  const std::string Why = Display && *Display ? std::string("cannot open display ") + Display
                                              : std::string("DISPLAY is not set");
  std::fprintf(stderr,
               "Stavemont needs a graphical display (%s); to run it without a screen, start it "
               "on a virtual one: xvfb-run -a -s \"-screen 0 1280x1024x24\" stavemont\n",
               Why.c_str());
  std::fflush(stderr);
  _exit(1);
}

void HoldMessage(QtMsgType Type, const QMessageLogContext &Context, const QString &Message) {
  if (Type == QtFatalMsg)
    NoDisplay();
  HeldMessages << qFormatLogMessage(Type, Context, Message);
}

} // namespace

TDisplayCheck::TDisplayCheck() { UsualHandler = qInstallMessageHandler(HoldMessage); }

void TDisplayCheck::DisplayOpened() {
  qInstallMessageHandler(UsualHandler);
  for (const QString &Message : std::exchange(HeldMessages, {}))
    std::fprintf(stderr, "%s\n", qPrintable(Message));
}

// The application's name places its settings and data folders. No display
// name is set: Qt would append it to every window's title.
TApplication::TApplication(int &Argc, char **Argv) : QApplication(Argc, Argv) {
  DisplayOpened();
  setApplicationName("Stavemont");
}

namespace {

// Qt's notes about its surroundings (such as a missing runtime folder) are
// not the command's business: only its errors reach standard error.
void KeepErrors(QtMsgType Type, const QMessageLogContext &Context, const QString &Message) {
  if (Type == QtCriticalMsg || Type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(Type, Context, Message)));
}

int &OnOffscreenPlatform(int &Argc) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepErrors);
  return Argc;
}

} // namespace

TOffscreenApplication::TOffscreenApplication(int &Argc, char **Argv)
    : QGuiApplication(OnOffscreenPlatform(Argc), Argv) {
  setApplicationName("Stavemont");
}

bool TApplication::notify(QObject *Receiver, QEvent *Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (const std::bad_alloc &) {
    ShowErrorBox("There is not enough memory to finish this command.");
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
