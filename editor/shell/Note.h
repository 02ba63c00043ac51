// A short note at the mouse, telling why a press did nothing: shown over the
// viewport, with no sound and nothing to dismiss, it goes after two seconds
// or at the next press anywhere in the program.
#pragma once

#include <QLabel>
#include <QTimer>

class TNote : public QLabel {
public:
  static constexpr int ShownMilliseconds = 2000;

  explicit TNote(QWidget *Parent);

  // Shows Text near the point At of the parent (its own coordinates).
  void ShowAt(const QPoint &At, const QString &Text);

protected:
  bool eventFilter(QObject *Watched, QEvent *Event) override;
  void hideEvent(QHideEvent *Event) override;

private:
  QTimer FTimer;
};

extern TNote *fNote;
