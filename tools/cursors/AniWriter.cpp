#include "AniWriter.h"

#include <fstream>

namespace {

constexpr uint32_t AniHeaderSize = 36;
constexpr uint32_t BitmapHeaderSize = 40;
constexpr uint32_t IconFrames = 1; // anih attribute: frames are icon or cursor data

class TBytes {
public:
  std::vector<uint8_t> Data;

  void Byte(uint8_t B) { Data.push_back(B); }
  void Word(uint16_t W) {
    Byte(W & 0xFF);
    Byte(W >> 8);
  }
  void DWord(uint32_t D) {
    Word(D & 0xFFFF);
    Word(D >> 16);
  }
  void Tag(const char (&Name)[5]) { Data.insert(Data.end(), Name, Name + 4); }
  void Append(const std::vector<uint8_t> &More) { Data.insert(Data.end(), More.begin(), More.end()); }
};

// A chunk: tag, size, body and a pad byte after a body of odd size.
std::vector<uint8_t> Chunk(const char (&Tag)[5], const std::vector<uint8_t> &Body) {
  TBytes C;
  C.Tag(Tag);
  C.DWord(uint32_t(Body.size()));
  C.Append(Body);
  if (Body.size() % 2)
    C.Byte(0);
  return C.Data;
}

std::vector<uint8_t> DWords(const std::vector<uint32_t> &Values) {
  TBytes B;
  for (uint32_t V : Values)
    B.DWord(V);
  return B.Data;
}

// Bottom-up rows of blue, green, red and alpha bytes.
void ColourBitmap(TBytes &B, const TCanvas &Image) {
  for (int Y = CursorSize - 1; Y >= 0; --Y)
    for (int X = 0; X < CursorSize; ++X)
      B.DWord(Image.Pixel(X, Y));
}

// Bottom-up rows of one bit per pixel, set where the pixel is transparent;
// 32 pixels make exactly one padded row.
void MaskBitmap(TBytes &B, const TCanvas &Image) {
  for (int Y = CursorSize - 1; Y >= 0; --Y)
    for (int X0 = 0; X0 < CursorSize; X0 += 8) {
      uint8_t Bits = 0;
      for (int X = X0; X < X0 + 8; ++X)
        if ((Image.Pixel(X, Y) >> 24) == 0)
          Bits |= 0x80 >> (X - X0);
      B.Byte(Bits);
    }
}

std::vector<uint8_t> CursorBitmap(const TCanvas &Image) {
  TBytes B;
  B.DWord(BitmapHeaderSize);
  B.DWord(CursorSize);
  B.DWord(CursorSize * 2); // colour bitmap and mask
  B.Word(1);                // planes
  B.Word(32);               // bits per pixel
  B.DWord(0);               // uncompressed
  B.DWord(0);               // image size: may be 0 when uncompressed
  for (int I = 0; I < 4; ++I)
    B.DWord(0); // resolution and palette
  ColourBitmap(B, Image);
  MaskBitmap(B, Image);
  return B.Data;
}

std::vector<uint8_t> AniHeader(const TCursorAnimation &Cursor) {
  TBytes B;
  B.DWord(AniHeaderSize);
  B.DWord(uint32_t(Cursor.Frames.size()));
  B.DWord(uint32_t(Cursor.StepCount()));
  B.DWord(CursorSize);
  B.DWord(CursorSize);
  B.DWord(32);
  B.DWord(1);
  B.DWord(Cursor.DisplayRate);
  B.DWord(IconFrames);
  return B.Data;
}

std::vector<uint8_t> FrameList(const TCursorAnimation &Cursor) {
  TBytes B;
  B.Tag("fram");
  for (const TCursorFrame &Frame : Cursor.Frames)
    B.Append(Chunk("icon", EncodeCur(Frame)));
  return B.Data;
}

} // namespace

std::vector<uint8_t> EncodeCur(const TCursorFrame &Frame) {
  const std::vector<uint8_t> Bitmap = CursorBitmap(Frame.Image);
  TBytes B;
  B.Word(0); // reserved
  B.Word(2); // cursor
  B.Word(1); // image count
  B.Byte(CursorSize);
  B.Byte(CursorSize);
  B.Byte(0); // colour count
  B.Byte(0); // reserved
  B.Word(uint16_t(Frame.HotX));
  B.Word(uint16_t(Frame.HotY));
  B.DWord(uint32_t(Bitmap.size()));
  B.DWord(6 + 16); // the image follows the directory and its one entry
  B.Append(Bitmap);
  return B.Data;
}

std::vector<uint8_t> EncodeAni(const TCursorAnimation &Cursor) {
  TBytes Form;
  Form.Tag("ACON");
  Form.Append(Chunk("anih", AniHeader(Cursor)));
  if (!Cursor.Rates.empty())
    Form.Append(Chunk("rate", DWords(Cursor.Rates)));
  if (!Cursor.Sequence.empty())
    Form.Append(Chunk("seq ", DWords(Cursor.Sequence)));
  Form.Append(Chunk("LIST", FrameList(Cursor)));
  return Chunk("RIFF", Form.Data);
}

bool WriteBytes(const std::string &Path, const std::vector<uint8_t> &Bytes) {
  std::ofstream File(Path, std::ios::binary | std::ios::trunc);
  File.write(reinterpret_cast<const char *>(Bytes.data()), std::streamsize(Bytes.size()));
  return bool(File);
}
