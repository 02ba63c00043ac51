// Captures: the viewport's picture written to a PNG file, smoothed exactly
// as the viewport window shows it.
#pragma once

#include <string>

// Makes one look render that also writes its picture to FileName. The
// capture name is empty afterwards, whether the file could be written or not.
void CaptureTo(const std::string &FileName);

// Draws the look render's frame once more into an offscreen picture of the
// viewport's size, multisampled as the window is (plain when the window has
// no samples), and writes it to FileName as an 8-bit RGB PNG, top row first,
// replacing any file there. A picture that cannot be drawn or written is
// reported in a message naming the file and why; nothing else changes.
void WriteCapture(const std::string &FileName);
