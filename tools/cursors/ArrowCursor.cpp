// The arrow: a pointer leaning left with its tip at the top left corner.
#include "CursorArt.h"

TCursorAnimation ArrowCursor() {
  TCanvas Body;
  Body.Fill(Polygon({{1, 1}, {1, 24}, {6.5, 19}, {10.5, 28}, {14, 26.5}, {10, 18}, {17, 18}}), Blue);
  Body.Fill(Polygon({{2, 4}, {2, 20}, {6, 16.5}}), LightBlue);
  return Still(Finished(Body, 1, 1));
}
