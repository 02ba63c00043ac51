// Text shown to the user that may carry bytes from outside: names read from
// files, folders and the command line. Printed raw, a control character
// could move the terminal's cursor, start an escape sequence or begin a
// fake line of output, and bytes that are not UTF-8 would come out garbled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The length of the valid UTF-8 sequence that starts at Text[At], with its
// code point in Point; 0 when the bytes there are not one (a stray byte, an
// overlong form, a surrogate, a code point beyond U+10FFFF, a cut sequence).
size_t Utf8Sequence(const std::string &Text, size_t At, uint32_t &Point);

// Text with every byte of a control character (C0, DEL, C1), of a character
// that reverses the direction of text, and of anything that is not valid
// UTF-8 written as \xNN; everything else is left as it is.
std::string Printable(const std::string &Text);

// The extension of the file name Path ends in, with its dot, in lower case
// ASCII: "a/B.PDF" -> ".pdf"; empty when it has none.
std::string LowerExtension(const std::string &Path);
