// What a caller's drawing code may leave half done when it stops part-way:
// an open glBegin, pushed matrices and attributes, a changed matrix. A mark
// taken before the call lets the drawing go on afterwards as if the call had
// returned normally.
#pragma once

struct TGlMark {
  int MatrixMode = 0;
  int ModelviewDepth = 0, ProjectionDepth = 0, AttribDepth = 0, ClientAttribDepth = 0;
  double Modelview[16] = {}, Projection[16] = {};
};

// The current context's state as far as RestoreGlMark can put it back;
// nothing is read when no context is current.
TGlMark MarkGlState();

// Ends an open glBegin, pops what was pushed since Mark, puts back the two
// matrices and the matrix mode, and clears the errors this raised.
void RestoreGlMark(const TGlMark &Mark);
