// The program file's version, kept in an ELF note so that the running
// program (and any tool) can read it back from the file.
#pragma once

#include "platform/Version.h"

extern const TVersionNote ProgramVersion;
