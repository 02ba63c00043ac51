// Zooming: a magnifying glass with a plus (in) or a minus (out) on its lens;
// the hot spot is the centre of the lens.
#include "CursorArt.h"

TCursorAnimation ZoomCursor(bool In) {
  const TPoint Centre{12, 12};
  TCanvas Body;
  Body.Fill(Stroke({17, 17}, {27, 27}, 6), Blue);
  Body.Fill(Disc(Centre, 10.5), Blue);
  Body.Fill(Disc(Centre, 7.5), Glass);
  Body.Fill(Arc(Centre, 5, 6.5, 190, 260), White);
  Body.Fill(Box(7, 11, 17, 13), Dark);
  if (In)
    Body.Fill(Box(11, 7, 13, 17), Dark);
  return Still(Finished(Body, 12, 12));
}
