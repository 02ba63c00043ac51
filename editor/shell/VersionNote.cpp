#include "VersionNote.h"

__attribute__((section(".note.stavemont.version"), used, aligned(4)))
const TVersionNote ProgramVersion = {10, 8, 1, "Stavemont", {STAVEMONT_VERSION_MAJOR,
                                                             STAVEMONT_VERSION_MINOR,
                                                             STAVEMONT_VERSION_PATCH,
                                                             STAVEMONT_VERSION_TWEAK}};
