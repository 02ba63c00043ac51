// Checks that the editor's folders are layers: a file may include headers of
// its own folder and of the folders below it, never of one above.
//
//   CheckLayers <editor folder> <folder> <folder> ...
//
// The folders are named from the bottom up. Every #include "folder/..." of a
// file in one of them that names a folder further up is printed as
// "<file>:<line>: <folder> includes <folder above>"; the status is 1 when
// there is any, 2 for a wrong command line, 0 otherwise.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int LayerOf(const std::vector<std::string> &Layers, const std::string &Name) {
  const auto It = std::find(Layers.begin(), Layers.end(), Name);
  return It == Layers.end() ? -1 : int(It - Layers.begin());
}

// The upward includes of one file.
int CheckFile(const fs::path &File, const std::vector<std::string> &Layers, int Own) {
  static const std::regex Include(R"(^\s*#\s*include\s*"([A-Za-z0-9_]+)/)");
  std::ifstream In(File);
  std::string Line;
  int Found = 0;
  for (int Number = 1; std::getline(In, Line); ++Number) {
    std::smatch Match;
    if (!std::regex_search(Line, Match, Include))
      continue;
    const int Included = LayerOf(Layers, Match[1]);
    if (Included > Own) {
      std::printf("%s:%d: %s includes %s, a folder above it\n", File.c_str(), Number,
                  Layers[size_t(Own)].c_str(), Layers[size_t(Included)].c_str());
      ++Found;
    }
  }
  return Found;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: CheckLayers <editor folder> <folder>...\n");
    return 2;
  }
  const fs::path Top = argv[1];
  const std::vector<std::string> Layers(argv + 2, argv + argc);
  int Found = 0;
  for (size_t L = 0; L < Layers.size(); ++L) {
    std::error_code Error;
    for (const auto &Entry : fs::recursive_directory_iterator(Top / Layers[L], Error))
      if (Entry.is_regular_file())
        Found += CheckFile(Entry.path(), Layers, int(L));
    if (Error) {
      std::fprintf(stderr, "CheckLayers: cannot read %s\n", (Top / Layers[L]).c_str());
      return 2;
    }
  }
  return Found > 0 ? 1 : 0;
}
