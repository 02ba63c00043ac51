// Driving the editor's real windows: a throwaway program folder holding the
// built kit, the three windows created as the program creates them, every
// message box captured instead of shown, and small helpers for clicks.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class QWidget;
class TLabelButton;

struct TMessage {
  std::string Text, Title;
};

class Shell : public testing::Test {
protected:
  // Creates the windows (once per process: ctest runs every test in a
  // process of its own) and points ProgramDir at a fresh program folder.
  void SetUp() override;
  void TearDown() override;

  // Shows the dimension fields, fills them in and presses OK, by clicks.
  static void StartNew(const char *Width, const char *Length, const char *Height);

  // A left click (or another button) in the middle of a widget.
  static void Click(QWidget *Widget, Qt::MouseButton Button = Qt::LeftButton);

  // The caption button of the left column or, opening it first, of the
  // Construction menu.
  static TLabelButton *ColumnButton(const QString &Caption);
  static TLabelButton *MenuItem(const QString &Caption);

  // Answers the next file dialog, as soon as it is open, with Path.
  static void AnswerFileDialog(const std::string &Path);

  // Clicks Widget and tells whether a dialog opened (closing it again).
  static bool DialogOpensOn(QWidget *Widget);

  // The colour the screen shows at client pixel (X, Y) of the viewport.
  static QColor ViewportPixel(int X, int Y);

  // What the screen shows in the middle of a widget, and in a rectangle of
  // the screen.
  static QColor ScreenPixel(const QWidget *Widget);
  static QImage ScreenPart(const QRect &Rect);

  // What the screen shows for a stored colour (red in the low byte).
  static QColor ColorOf(uint32_t Stored);

  // Makes a piece of kit 1 the one to insert, as the piece chooser does.
  static void ChoosePiece(uint16_t Piece);

  static std::vector<uint8_t> ReadBytes(const std::string &Path);
  static void WriteBytes(const std::string &Path, const std::vector<uint8_t> &Bytes);

  std::string Dir; // the program folder, with a trailing '/'
  static std::vector<TMessage> Messages;
};
