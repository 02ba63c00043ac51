// Messages to the user and the window system's message queue.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Shows a modal information box with an OK button.
void ShowMessage(const std::string &Text, const std::string &Title);

// Shows an error's text in the program's standard error box.
void ShowErrorBox(const std::string &Text);

class QWidget;

// The window every message box belongs to: it is shown above that window,
// centred on it, and takes the keyboard focus. By default the active window.
void SetDialogOwner(std::function<QWidget *()> Owner);

// Replaces how messages and errors are shown; an empty sink restores the
// default (a message box, or standard error when there is no widget
// application). Returns the previous way.
using TMessageSink = std::function<void(const std::string &Text, const std::string &Title)>;
TMessageSink SetMessageSink(TMessageSink Sink);

// The answers to a question about unsaved changes.
enum class TSaveAnswer { Save, Discard, Cancel };

// Asks Text (a question about unsaved changes) in a box titled Title with
// Save, Discard and Cancel; closing the box cancels.
TSaveAnswer AskToSave(const std::string &Text, const std::string &Title);

// Replaces how AskToSave asks; an empty one restores the box. Returns the
// previous way.
using TQuestionSink = std::function<TSaveAnswer(const std::string &Text, const std::string &Title)>;
TQuestionSink SetQuestionSink(TQuestionSink Sink);

// Asks Text in a box titled Title with a button for each of Choices, the
// first of them the default; the index of the one chosen, or Escape when the
// box is closed without a choice.
int AskChoice(const std::string &Text, const std::string &Title,
              const std::vector<std::string> &Choices, int Escape);

// Replaces how AskChoice asks; an empty one restores the box. Returns the
// previous way.
using TChoiceSink = std::function<int(const std::string &Text, const std::string &Title,
                                      const std::vector<std::string> &Choices)>;
TChoiceSink SetChoiceSink(TChoiceSink Sink);

// Lets the application handle every pending window message.
void ProcessMessages();
