// Folder enumeration and the program's own folder.
#pragma once

#include <string>
#include <vector>

// Names of the entries of Folder whose names end with Suffix (entries of
// every kind), sorted by name in byte order so that every machine lists alike.
std::vector<std::string> ListFolder(const std::string &Folder, const std::string &Suffix);

// The folder of the running program file, with a trailing '/'.
std::string ProgramFolder();

// Whether Path names a regular file (through symbolic links). Never throws:
// a name the file system cannot hold, for one, is simply no such file.
bool IsRegularFile(const std::string &Path);

// Whether the running user may create files in Folder.
bool CanWriteFolder(const std::string &Folder);

// The user's own data folder for this program, with a trailing '/':
// $XDG_DATA_HOME/stavemont/, by default ~/.local/share/stavemont/.
std::string UserDataFolder();

// What tells one state of a file from another without reading it: which
// file it is and its size and time of change. A file that is not there has
// the empty stamp.
struct TFileStamp {
  bool Exists = false;
  unsigned long long Device = 0, Inode = 0, Size = 0;
  long long Seconds = 0, Nanoseconds = 0;
  bool operator==(const TFileStamp &) const = default;
};

// The stamp of the file at Path now (through links).
TFileStamp FileStampOf(const std::string &Path);

// Whether anything (file, folder, pipe, device) is at Path, through symbolic
// links. Never throws.
bool PathExists(const std::string &Path);
