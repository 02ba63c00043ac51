// The application object. Errors raised inside a command (file input and
// output, settings, pictures) are caught in one place, the event dispatch,
// and shown in the standard error box; the rest of the command is skipped.
#pragma once

#include <QApplication>

// While the application object opens the display, Qt's messages are held
// back: when no display can be opened, the program ends with status 1 and
// one line that says so and how to run on a virtual display, instead of
// Qt's own report. Once the display is open the held messages go out.
class TDisplayCheck {
protected:
  TDisplayCheck();
  void DisplayOpened();
};

class TApplication : private TDisplayCheck, public QApplication {
public:
  TApplication(int &Argc, char **Argv);
  bool notify(QObject *Receiver, QEvent *Event) override;
};

// An application object for drawing text and pictures into files without a
// display: it runs on Qt's offscreen platform whatever the environment says.
class TOffscreenApplication : public QGuiApplication {
public:
  TOffscreenApplication(int &Argc, char **Argv);
};

// Masks every floating-point exception (x87 control word 0x133F: 64-bit
// precision, rounding to nearest); call before the first window exists.
void MaskFloatingPointExceptions();
