// The application object. Errors raised inside a command (file input and
// output, settings, pictures) are caught in one place, the event dispatch,
// and shown in the standard error box; the rest of the command is skipped.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
public:
  TApplication(int &Argc, char **Argv);
  bool notify(QObject *Receiver, QEvent *Event) override;
};

// Masks every floating-point exception (x87 control word 0x133F: 64-bit
// precision, rounding to nearest); call before the first window exists.
void MaskFloatingPointExceptions();
