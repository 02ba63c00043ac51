// Draws the Blue cursor set and writes its eighteen .ANI files into the
// folder given as the only argument, creating it when needed.
#include "CursorSet.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: MakeCursors <folder>\n";
    return 2;
  }
  const std::filesystem::path Folder = argv[1];
  std::error_code Error;
  std::filesystem::create_directories(Folder, Error);
  if (Error) {
    std::cerr << "MakeCursors: cannot create " << Folder << ": " << Error.message() << '\n';
    return 1;
  }
  for (const TCursorDrawing &Cursor : BlueCursors()) {
    const std::filesystem::path File = Folder / Cursor.FileName;
    if (!WriteBytes(File.string(), EncodeAni(Cursor.Draw()))) {
      std::cerr << "MakeCursors: cannot write " << File << '\n';
      return 1;
    }
  }
  return 0;
}
