#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

namespace {

void MessageBox(const std::string &Text, const std::string &Title) {
  if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
    QMessageBox::information(nullptr, QString::fromStdString(Title), QString::fromStdString(Text));
    return;
  }
  std::cerr << Title << ": " << Text << '\n';
}

TMessageSink &Sink() {
  static TMessageSink S = MessageBox;
  return S;
}

} // namespace

void ShowMessage(const std::string &Text, const std::string &Title) { Sink()(Text, Title); }

TMessageSink SetMessageSink(TMessageSink NewSink) { return std::exchange(Sink(), std::move(NewSink)); }

void ProcessMessages() {
  if (QCoreApplication::instance())
    QCoreApplication::processEvents();
}
