// The animated-cursor reader on raw bytes: whatever they hold, it reads only
// inside them and either refuses them with a reason or gives frames and at
// least one step that names one of them.
#include "platform/AniCursor.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  TAniCursor Cursor;
  std::string Error;
  const bool Read = ParseAniCursor({Data, Size}, Cursor, Error);
  bool Sound = Read ? !Cursor.Steps.empty() : !Error.empty() && Cursor.Frames.empty();
  for (const TAniStep &Step : Cursor.Steps)
    Sound = Sound && Step.Frame >= 0 && size_t(Step.Frame) < Cursor.Frames.size() && Step.Milliseconds > 0;
  for (const TAniFrame &Frame : Cursor.Frames)
    Sound = Sound && !Frame.Image.isNull() && Frame.HotX >= 0 && Frame.HotX < Frame.Image.width() &&
            Frame.HotY >= 0 && Frame.HotY < Frame.Image.height();
  if (!Sound) {
    std::fprintf(stderr, "AniCursorFuzz: the reader's answer contradicts itself\n");
    std::abort();
  }
  return 0;
}
