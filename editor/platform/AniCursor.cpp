#include "AniCursor.h"

#include "ReadFile.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace {

using TBytes = std::span<const uint8_t>;

// Limits far beyond any real cursor that keep a lying header from asking for
// absurd amounts of memory or time.
constexpr size_t MaxFileSize = 4 << 20;
constexpr uint32_t MaxFrames = 256, MaxSteps = 1024;
constexpr int MaxSide = 256;
constexpr uint32_t MaxJiffies = 60 * 60; // one minute

constexpr uint32_t IconFrames = 1; // anih attribute: frames are cursor data
constexpr size_t AniHeaderSize = 36, BitmapHeaderSize = 40;
constexpr size_t CursorDirSize = 6, CursorEntrySize = 16;

constexpr uint32_t Tag(const char (&Name)[5]) {
  return uint32_t(uint8_t(Name[0])) | uint32_t(uint8_t(Name[1])) << 8 |
         uint32_t(uint8_t(Name[2])) << 16 | uint32_t(uint8_t(Name[3])) << 24;
}

// Little-endian values; the caller has checked that the bytes are there.
uint16_t WordAt(TBytes B, size_t At) { return uint16_t(B[At] | B[At + 1] << 8); }
uint32_t DWordAt(TBytes B, size_t At) { return WordAt(B, At) | uint32_t(WordAt(B, At + 2)) << 16; }

bool Fits(TBytes B, size_t At, size_t Count) { return At <= B.size() && Count <= B.size() - At; }

struct TChunk {
  uint32_t Id;
  TBytes Body;
};

// The chunks that make up Bytes; false when one runs past the end.
bool SplitChunks(TBytes Bytes, std::vector<TChunk> &Chunks) {
  size_t At = 0;
  while (At < Bytes.size()) {
    if (!Fits(Bytes, At, 8))
      return false;
    const uint32_t Size = DWordAt(Bytes, At + 4);
    if (!Fits(Bytes, At + 8, Size))
      return false;
    Chunks.push_back({DWordAt(Bytes, At), Bytes.subspan(At + 8, Size)});
    At += 8 + size_t(Size) + (Size & 1);
  }
  return true;
}

bool Fail(std::string &Error, const char *Reason) {
  Error = Reason;
  return false;
}

// Straight alpha from the AND mask: a set bit marks a transparent pixel.
bool MaskBit(TBytes Mask, size_t Stride, int Row, int X) {
  return Mask[Row * Stride + X / 8] & (0x80 >> (X % 8));
}

QImage DecodePixels(TBytes Colour, TBytes Mask, int Width, int Height, int Bits) {
  const size_t Stride = (size_t(Width) * Bits + 31) / 32 * 4, MaskStride = (size_t(Width) + 31) / 32 * 4;
  const int Bpp = Bits / 8;
  bool HasAlpha = false;
  for (int Row = 0; Bits == 32 && Row < Height && !HasAlpha; ++Row)
    for (int X = 0; X < Width && !HasAlpha; ++X)
      HasAlpha = Colour[Row * Stride + X * 4 + 3] != 0;
  QImage Image(Width, Height, QImage::Format_ARGB32);
  for (int Row = 0; Row < Height; ++Row) {
    auto *Line = reinterpret_cast<QRgb *>(Image.scanLine(Height - 1 - Row));
    for (int X = 0; X < Width; ++X) {
      const uint8_t *P = &Colour[Row * Stride + X * Bpp];
      const int Alpha = HasAlpha ? P[3] : MaskBit(Mask, MaskStride, Row, X) ? 0 : 255;
      Line[X] = Alpha == 0 ? 0 : qRgba(P[2], P[1], P[0], Alpha);
    }
  }
  return Image;
}

bool DecodeBitmap(TBytes Data, QImage &Image, std::string &Error) {
  if (!Fits(Data, 0, BitmapHeaderSize))
    return Fail(Error, "truncated cursor image");
  const uint32_t HeaderSize = DWordAt(Data, 0), Colours = DWordAt(Data, 32);
  const int32_t Width = int32_t(DWordAt(Data, 4)), Height = int32_t(DWordAt(Data, 8)) / 2;
  const int Bits = WordAt(Data, 14);
  if (HeaderSize < BitmapHeaderSize || HeaderSize > Data.size() || Colours > 256)
    return Fail(Error, "bad cursor image header");
  if (Width < 1 || Width > MaxSide || Height < 1 || Height > MaxSide)
    return Fail(Error, "bad cursor image size");
  if ((Bits != 32 && Bits != 24) || DWordAt(Data, 16) != 0)
    return Fail(Error, "unsupported cursor image format");
  const size_t ColourAt = HeaderSize + size_t(Colours) * 4;
  const size_t ColourSize = (size_t(Width) * Bits + 31) / 32 * 4 * Height;
  const size_t MaskSize = (size_t(Width) + 31) / 32 * 4 * Height;
  if (!Fits(Data, ColourAt, ColourSize + MaskSize))
    return Fail(Error, "truncated cursor image");
  Image = DecodePixels(Data.subspan(ColourAt, ColourSize), Data.subspan(ColourAt + ColourSize, MaskSize),
                       Width, Height, Bits);
  return true;
}

// The size is checked before decoding, so a lying PNG header costs nothing.
bool DecodePng(TBytes Data, QImage &Image, std::string &Error) {
  QByteArray Bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(Data.data()), qsizetype(Data.size()));
  QBuffer Buffer(&Bytes);
  QImageReader Reader(&Buffer, "PNG");
  const QSize Size = Reader.size();
  if (!Size.isValid() || Size.width() > MaxSide || Size.height() > MaxSide || !Reader.read(&Image))
    return Fail(Error, "bad PNG cursor image");
  Image = Image.convertToFormat(QImage::Format_ARGB32);
  return true;
}

// The first image of a .CUR file and its hot spot, kept inside the image.
bool DecodeCursor(TBytes Data, TAniFrame &Frame, std::string &Error) {
  if (!Fits(Data, 0, CursorDirSize + CursorEntrySize))
    return Fail(Error, "truncated cursor frame");
  if (WordAt(Data, 0) != 0 || WordAt(Data, 2) != 2 || WordAt(Data, 4) == 0)
    return Fail(Error, "frame is not a cursor");
  const uint32_t Size = DWordAt(Data, CursorDirSize + 8), At = DWordAt(Data, CursorDirSize + 12);
  if (!Fits(Data, At, Size))
    return Fail(Error, "cursor image runs past its frame");
  const TBytes Image = Data.subspan(At, Size);
  static constexpr uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const bool IsPng = Image.size() >= sizeof PngSignature &&
                     std::equal(std::begin(PngSignature), std::end(PngSignature), Image.begin());
  if (!(IsPng ? DecodePng(Image, Frame.Image, Error) : DecodeBitmap(Image, Frame.Image, Error)))
    return false;
  Frame.HotX = std::min<int>(WordAt(Data, CursorDirSize + 4), Frame.Image.width() - 1);
  Frame.HotY = std::min<int>(WordAt(Data, CursorDirSize + 6), Frame.Image.height() - 1);
  return true;
}

struct TAniParts {
  TBytes Header, Rates, Sequence;
  std::vector<TBytes> Frames;
};

// Sorts the form's chunks; a "LIST" of type "fram" holds the frames.
bool CollectParts(const std::vector<TChunk> &Chunks, TAniParts &Parts, std::string &Error) {
  for (const TChunk &C : Chunks) {
    if (C.Id == Tag("anih") && Parts.Header.empty())
      Parts.Header = C.Body;
    else if (C.Id == Tag("rate"))
      Parts.Rates = C.Body;
    else if (C.Id == Tag("seq "))
      Parts.Sequence = C.Body;
    else if (C.Id == Tag("LIST") && C.Body.size() >= 4 && DWordAt(C.Body, 0) == Tag("fram")) {
      std::vector<TChunk> Icons;
      if (!SplitChunks(C.Body.subspan(4), Icons))
        return Fail(Error, "truncated frame list");
      for (const TChunk &Icon : Icons)
        if (Icon.Id == Tag("icon"))
          Parts.Frames.push_back(Icon.Body);
    }
  }
  return true;
}

int Milliseconds(uint32_t Jiffies) { return int(std::clamp<uint32_t>(Jiffies, 1, MaxJiffies) * 1000 / 60); }

// The steps from the header's counts and display rate and the optional
// "rate" and "seq " chunks.
bool BuildSteps(const TAniParts &Parts, TAniCursor &Cursor, std::string &Error) {
  const uint32_t Frames = DWordAt(Parts.Header, 4), Steps = DWordAt(Parts.Header, 8);
  if (Steps < 1 || Steps > MaxSteps)
    return Fail(Error, "bad step count");
  if (!Parts.Rates.empty() && Parts.Rates.size() < size_t(Steps) * 4)
    return Fail(Error, "too few display rates");
  if (!Parts.Sequence.empty() && Parts.Sequence.size() < size_t(Steps) * 4)
    return Fail(Error, "too few sequence entries");
  if (Parts.Sequence.empty() && Steps > Frames)
    return Fail(Error, "more steps than frames");
  for (uint32_t S = 0; S < Steps; ++S) {
    const uint32_t Frame = Parts.Sequence.empty() ? S : DWordAt(Parts.Sequence, S * 4);
    if (Frame >= Frames)
      return Fail(Error, "sequence names a missing frame");
    const uint32_t Jiffies = Parts.Rates.empty() ? DWordAt(Parts.Header, 28) : DWordAt(Parts.Rates, S * 4);
    Cursor.Steps.push_back({int(Frame), Milliseconds(Jiffies)});
  }
  return true;
}

bool ParseForm(TBytes Form, TAniCursor &Cursor, std::string &Error) {
  std::vector<TChunk> Chunks;
  TAniParts Parts;
  if (!SplitChunks(Form, Chunks))
    return Fail(Error, "truncated chunk");
  if (!CollectParts(Chunks, Parts, Error))
    return false;
  if (Parts.Header.size() < AniHeaderSize)
    return Fail(Error, "missing or short anih header");
  const uint32_t Frames = DWordAt(Parts.Header, 4);
  if (!(DWordAt(Parts.Header, 32) & IconFrames))
    return Fail(Error, "frames are not cursor images");
  if (Frames < 1 || Frames > MaxFrames || Frames != Parts.Frames.size())
    return Fail(Error, "frame count does not match the frames");
  for (TBytes Data : Parts.Frames) {
    Cursor.Frames.emplace_back();
    if (!DecodeCursor(Data, Cursor.Frames.back(), Error))
      return false;
  }
  return BuildSteps(Parts, Cursor, Error);
}

} // namespace

bool ParseAniCursor(TBytes Bytes, TAniCursor &Cursor, std::string &Error) {
  Cursor = {};
  if (Bytes.size() < 12 || DWordAt(Bytes, 0) != Tag("RIFF") || DWordAt(Bytes, 8) != Tag("ACON"))
    return Fail(Error, "not an animated cursor file");
  const uint32_t FormSize = DWordAt(Bytes, 4);
  if (FormSize < 4 || !Fits(Bytes, 8, FormSize))
    return Fail(Error, "truncated file");
  TAniCursor Read;
  if (!ParseForm(Bytes.subspan(12, FormSize - 4), Read, Error))
    return false;
  Cursor = std::move(Read);
  return true;
}

bool ReadAniCursor(const std::string &Path, TAniCursor &Cursor, std::string &Error) {
  Cursor = {};
  std::vector<uint8_t> Bytes;
  const TFileRead Result = ReadRegularFile(Path, 0, MaxFileSize, Bytes);
  if (Result.Status == TFileRead::WrongSize)
    return Fail(Error, "file too large");
  if (Result.Status != TFileRead::Read) {
    Error = "cannot read the file: " + FileReadProblem(Result);
    return false;
  }
  return ParseAniCursor(Bytes, Cursor, Error);
}
