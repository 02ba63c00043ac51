#include "Capture.h"

#include "Construction.h"
#include "Render.h"
#include "Scene.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/Messages.h"
#include "platform/PngFile.h"

#include <cstring>
#include <vector>

namespace {

// Rows read from the bottom, put top row first.
std::vector<uint8_t> TopRowFirst(const std::vector<uint8_t> &BottomUp, int Width, int Height) {
  const size_t RowBytes = size_t(Width) * 4;
  std::vector<uint8_t> Rows(BottomUp.size());
  for (int Row = 0; Row < Height; ++Row)
    std::memcpy(&Rows[size_t(Height - 1 - Row) * RowBytes], &BottomUp[size_t(Row) * RowBytes],
                RowBytes);
  return Rows;
}

// The viewport's frame as BGRA rows, top row first; empty when no offscreen
// picture could be made.
std::vector<uint8_t> DrawCapturePicture(int Width, int Height) {
  const std::vector<uint8_t> Pixels = DrawLookPicture();
  return Pixels.empty() ? Pixels : TopRowFirst(Pixels, Width, Height);
}

} // namespace

void WriteCapture(const std::string &FileName) {
  if (IsConstructionFile(FileName)) {
    ShowMessage("Unable to write the capture " + FileName +
                    ": it is the construction file itself, which the picture would replace.",
                "Capture");
    return;
  }
  const int Width = Construction.ViewportWidth, Height = Construction.ViewportHeight;
  const std::vector<uint8_t> Pixels = DrawCapturePicture(Width, Height);
  std::string Reason = "the picture could not be drawn";
  if (!Pixels.empty() && WritePng(FileName, Width, Height, Pixels.data(), Reason))
    return;
  ShowMessage("Unable to write the capture " + FileName + ": " + Reason + ".", "Capture");
}

void CaptureTo(const std::string &FileName) {
  CaptureFileName = FileName;
  LookRender();
  CaptureFileName.clear();
}
