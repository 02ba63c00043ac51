#include "Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

int16_t Current = crArrow;

} // namespace

int16_t ScreenCursor() { return Current; }

// Every id shows the standard arrow until the animated cursors are loaded.
void SetScreenCursor(int16_t Id) {
  Current = Id;
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    return;
  if (QGuiApplication::overrideCursor())
    QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
  else
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}
