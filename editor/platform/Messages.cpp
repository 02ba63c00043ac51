#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

namespace {

void MessageBox(const std::string &Text, const std::string &Title, QMessageBox::Icon Icon) {
  if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
    QMessageBox Box(Icon, QString::fromStdString(Title), QString::fromStdString(Text),
                    QMessageBox::Ok);
    Box.exec();
    return;
  }
  std::cerr << Title << ": " << Text << '\n';
}

void InformationBox(const std::string &Text, const std::string &Title) {
  MessageBox(Text, Title, QMessageBox::Information);
}

TMessageSink &Sink() {
  static TMessageSink S = InformationBox;
  return S;
}

bool SinkReplaced = false;

} // namespace

void ShowMessage(const std::string &Text, const std::string &Title) { Sink()(Text, Title); }

void ShowErrorBox(const std::string &Text) {
  if (SinkReplaced)
    Sink()(Text, "Stavemont");
  else
    MessageBox(Text, "Stavemont", QMessageBox::Critical);
}

TMessageSink SetMessageSink(TMessageSink NewSink) {
  SinkReplaced = true;
  return std::exchange(Sink(), std::move(NewSink));
}

void ProcessMessages() {
  if (QCoreApplication::instance())
    QCoreApplication::processEvents();
}
