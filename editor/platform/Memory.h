// Keeps the memory the GL driver frees at every context destroy in the
// process, so the next render's context does not fault it back in.
#pragma once

void KeepFreedBuffers();
