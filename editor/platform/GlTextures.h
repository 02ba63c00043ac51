// Which caller made which texture objects. The program puts its own
// glGenTextures and glDeleteTextures in front of the system's (the program
// exports them, so a kit library's calls reach them) and hands every call on;
// the names made while a caller is set are kept under that caller, until
// they are deleted or the set of shared objects they lived in is gone.
#pragma once

#include <vector>

// Makes Caller (any address that stands for it; nullptr for the program
// itself) the caller of the GL calls that follow. Returns the former caller.
void *SetGlCaller(void *Caller);

// The texture names Caller made in the current set of shared objects that
// still exist, oldest first.
std::vector<unsigned> TexturesOf(void *Caller);

// Forgets every texture name kept for Caller (without deleting any).
void ForgetTexturesOf(void *Caller);
