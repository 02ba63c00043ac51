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

// Whether anything (file, folder, pipe, device) is at Path, through symbolic
// links. Never throws.
bool PathExists(const std::string &Path);
