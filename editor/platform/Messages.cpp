#include "Messages.h"

#include "Text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include <iostream>
#include <utility>

namespace {

std::function<QWidget *()> &Owner() {
  static std::function<QWidget *()> O = [] { return QApplication::activeWindow(); };
  return O;
}

void MessageBox(const std::string &Text, const std::string &Title, QMessageBox::Icon Icon) {
  if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
    QMessageBox Box(Icon, QString::fromStdString(Title), QString::fromStdString(Text),
                    QMessageBox::Ok, Owner()());
    Box.exec();
    return;
  }
  std::cerr << Title << ": " << Text << '\n';
}

TMessageSink &Sink() {
  static TMessageSink S;
  return S;
}

TQuestionSink &QuestionSink() {
  static TQuestionSink S;
  return S;
}

TChoiceSink &ChoiceSink() {
  static TChoiceSink S;
  return S;
}

} // namespace

TSaveAnswer AskToSave(const std::string &Text, const std::string &Title) {
  if (QuestionSink())
    return QuestionSink()(Printable(Text), Printable(Title));
  QMessageBox Box(QMessageBox::Question, QString::fromStdString(Printable(Title)),
                  QString::fromStdString(Printable(Text)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Owner()());
  Box.setDefaultButton(QMessageBox::Save);
  Box.setEscapeButton(QMessageBox::Cancel);
  switch (Box.exec()) {
  case QMessageBox::Save:
    return TSaveAnswer::Save;
  case QMessageBox::Discard:
    return TSaveAnswer::Discard;
  default:
    return TSaveAnswer::Cancel;
  }
}

int AskChoice(const std::string &Text, const std::string &Title,
              const std::vector<std::string> &Choices, int Escape) {
  if (ChoiceSink())
    return ChoiceSink()(Printable(Text), Printable(Title), Choices);
  QMessageBox Box(QMessageBox::Question, QString::fromStdString(Printable(Title)),
                  QString::fromStdString(Printable(Text)), QMessageBox::NoButton, Owner()());
  std::vector<QAbstractButton *> Buttons;
  for (const std::string &Choice : Choices)
    Buttons.push_back(Box.addButton(QString::fromStdString(Choice), QMessageBox::AcceptRole));
  if (!Buttons.empty())
    Box.setDefaultButton(static_cast<QPushButton *>(Buttons.front()));
  if (Escape >= 0 && Escape < int(Buttons.size()))
    Box.setEscapeButton(Buttons[size_t(Escape)]);
  Box.exec();
  const auto Chosen = std::find(Buttons.begin(), Buttons.end(), Box.clickedButton());
  return Chosen == Buttons.end() ? Escape : int(Chosen - Buttons.begin());
}

TChoiceSink SetChoiceSink(TChoiceSink NewSink) {
  return std::exchange(ChoiceSink(), std::move(NewSink));
}

TQuestionSink SetQuestionSink(TQuestionSink NewSink) {
  return std::exchange(QuestionSink(), std::move(NewSink));
}

// Messages name files, kits and views whose bytes come from outside: they
// are shown escaped, whatever shows them.
void ShowMessage(const std::string &Text, const std::string &Title) {
  if (Sink())
    Sink()(Printable(Text), Printable(Title));
  else
    MessageBox(Printable(Text), Printable(Title), QMessageBox::Information);
}

void ShowErrorBox(const std::string &Text) {
  if (Sink())
    Sink()(Printable(Text), "Stavemont");
  else
    MessageBox(Printable(Text), "Stavemont", QMessageBox::Critical);
}

void SetDialogOwner(std::function<QWidget *()> NewOwner) { Owner() = std::move(NewOwner); }

TMessageSink SetMessageSink(TMessageSink NewSink) { return std::exchange(Sink(), std::move(NewSink)); }

void ProcessMessages() {
  if (QCoreApplication::instance())
    QCoreApplication::processEvents();
}
