// Messages to the user and the window system's message queue.
#pragma once

#include <functional>
#include <string>

// Shows a modal information box with an OK button.
void ShowMessage(const std::string &Text, const std::string &Title);

// Shows an error's text in the program's standard error box.
void ShowErrorBox(const std::string &Text);

// Replaces how messages and errors are shown (the default is a message box, or standard
// error when there is no widget application); returns the previous way.
using TMessageSink = std::function<void(const std::string &Text, const std::string &Title)>;
TMessageSink SetMessageSink(TMessageSink Sink);

// Lets the application handle every pending window message.
void ProcessMessages();
