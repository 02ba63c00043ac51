// Animated cursors: the Blue set as the build wrote it, read back by the
// editor's reader; frame order and display times; refusal of malformed
// files; and the cursor table that loads the set.
#include "platform/AniCursor.h"
#include "platform/Cursor.h"

#include "CursorSet.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

namespace {

const std::string BlueFolder = STAVEMONT_CURSORS_DIR "/";

bool SameFrame(const TCursorFrame &Drawn, const TAniFrame &Read) {
  if (Read.Image.size() != QSize(CursorSize, CursorSize) || Read.HotX != Drawn.HotX || Read.HotY != Drawn.HotY)
    return false;
  for (int Y = 0; Y < CursorSize; ++Y)
    for (int X = 0; X < CursorSize; ++X)
      if (Read.Image.pixel(X, Y) != Drawn.Image.Pixel(X, Y))
        return false;
  return true;
}

bool HasVisiblePixel(const QImage &Image) {
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (qAlpha(Image.pixel(X, Y)) != 0)
        return true;
  return false;
}

// Three frames told apart by colour and hot spot, shown in the order 2, 0, 1, 0.
TCursorAnimation ThreeFrames() {
  TCursorAnimation Cursor;
  for (uint32_t Colour : {0xFFFF0000u, 0xFF00FF00u, 0x800000FFu}) {
    TCursorFrame Frame;
    Frame.Image.Fill(Disc({16, 16}, 10), Colour);
    Frame.HotX = int(Cursor.Frames.size()) * 5;
    Frame.HotY = 31;
    Cursor.Frames.push_back(Frame);
  }
  Cursor.Sequence = {2, 0, 1, 0};
  Cursor.Rates = {6, 12, 3, 60};
  return Cursor;
}

size_t Find(const std::vector<uint8_t> &Bytes, const char *Tag) {
  for (size_t At = 0; At + 4 <= Bytes.size(); ++At)
    if (std::memcmp(&Bytes[At], Tag, 4) == 0)
      return At;
  ADD_FAILURE() << Tag << " not found";
  return 0;
}

void Poke(std::vector<uint8_t> &Bytes, size_t At, uint32_t Value) {
  for (int I = 0; I < 4; ++I)
    Bytes[At + I] = uint8_t(Value >> (8 * I));
}

bool Refused(const std::vector<uint8_t> &Bytes) {
  TAniCursor Cursor;
  std::string Error;
  const bool Read = ParseAniCursor(Bytes, Cursor, Error);
  return !Read && !Error.empty() && Cursor.Frames.empty() && Cursor.Steps.empty();
}

} // namespace

TEST(BlueCursors, EveryFileReadsBackAsDrawn) {
  for (int Index = 0; Index < BlueCursorCount; ++Index) {
    const TCursorDrawing &Drawing = BlueCursors()[Index];
    const TCursorAnimation Drawn = Drawing.Draw();
    SCOPED_TRACE(Drawing.FileName);
    EXPECT_EQ(CursorFileName(int16_t(FirstBlueCursorId + Index)), Drawing.FileName);
    TAniCursor Read;
    std::string Error;
    ASSERT_TRUE(ReadAniCursor(BlueFolder + Drawing.FileName, Read, Error)) << Error;
    ASSERT_EQ(Read.Frames.size(), Drawn.Frames.size());
    EXPECT_EQ(Read.Steps.size(), Drawn.StepCount());
    for (size_t F = 0; F < Read.Frames.size(); ++F) {
      const TAniFrame &Frame = Read.Frames[F];
      EXPECT_TRUE(SameFrame(Drawn.Frames[F], Frame)) << "frame " << F;
      EXPECT_TRUE(Frame.Image.rect().contains(Frame.HotX, Frame.HotY));
      EXPECT_TRUE(HasVisiblePixel(Frame.Image));
    }
    for (const TAniStep &Step : Read.Steps)
      EXPECT_GT(Step.Milliseconds, 0);
  }
}

TEST(BlueCursors, WaitCursorAnimatesThroughDistinctFrames) {
  TAniCursor Wait;
  std::string Error;
  ASSERT_TRUE(ReadAniCursor(BlueFolder + CursorFileName(crWait), Wait, Error)) << Error;
  ASSERT_GE(Wait.Frames.size(), 8u);
  ASSERT_EQ(Wait.Steps.size(), Wait.Frames.size());
  for (size_t S = 0; S < Wait.Steps.size(); ++S) {
    EXPECT_EQ(Wait.Steps[S].Frame, int(S));
    EXPECT_GT(Wait.Steps[S].Milliseconds, 0);
    EXPECT_NE(Wait.Frames[S].Image, Wait.Frames[(S + 1) % Wait.Frames.size()].Image) << S;
  }
}

TEST(AniCursor, FollowsTheSequenceWithItsRates) {
  TAniCursor Read;
  std::string Error;
  ASSERT_TRUE(ParseAniCursor(EncodeAni(ThreeFrames()), Read, Error)) << Error;
  ASSERT_EQ(Read.Frames.size(), 3u);
  EXPECT_EQ(Read.Frames[2].HotX, 10);
  EXPECT_EQ(Read.Frames[2].Image.pixel(16, 16), 0x800000FFu); // straight alpha survives
  const std::vector<std::pair<int, int>> Expected{{2, 100}, {0, 200}, {1, 50}, {0, 1000}};
  ASSERT_EQ(Read.Steps.size(), Expected.size());
  for (size_t S = 0; S < Expected.size(); ++S) {
    EXPECT_EQ(Read.Steps[S].Frame, Expected[S].first) << S;
    EXPECT_EQ(Read.Steps[S].Milliseconds, Expected[S].second) << S;
  }
}

TEST(AniCursor, WithoutSequenceOrRatesShowsFramesInOrderAtTheHeaderRate) {
  TCursorAnimation Plain = ThreeFrames();
  Plain.Sequence.clear();
  Plain.Rates.clear();
  Plain.DisplayRate = 30;
  TAniCursor Read;
  std::string Error;
  ASSERT_TRUE(ParseAniCursor(EncodeAni(Plain), Read, Error)) << Error;
  ASSERT_EQ(Read.Steps.size(), 3u);
  for (int S = 0; S < 3; ++S) {
    EXPECT_EQ(Read.Steps[S].Frame, S);
    EXPECT_EQ(Read.Steps[S].Milliseconds, 500);
  }
}

TEST(AniCursor, RefusesMalformedFiles) {
  const std::vector<uint8_t> Valid = EncodeAni(ThreeFrames());
  const size_t Header = Find(Valid, "anih") + 8, Sequence = Find(Valid, "seq ") + 8;
  const size_t List = Find(Valid, "LIST"), Bitmap = Find(Valid, "icon") + 8 + 22;
  auto Changed = [&](size_t At, uint32_t Value) {
    std::vector<uint8_t> Bytes = Valid;
    Poke(Bytes, At, Value);
    return Bytes;
  };
  EXPECT_TRUE(Refused({}));
  EXPECT_TRUE(Refused(Changed(8, 0x4E4F4358)));          // "XCON" for "ACON"
  EXPECT_TRUE(Refused(Changed(Header + 4, 2)));          // fewer frames than listed
  EXPECT_TRUE(Refused(Changed(Header + 4, 4)));          // more frames than listed
  EXPECT_TRUE(Refused(Changed(Header + 4, 0xFFFFFFFF))); // absurd frame count
  EXPECT_TRUE(Refused(Changed(Header + 8, 0xFFFFFFFF))); // absurd step count
  EXPECT_TRUE(Refused(Changed(Header + 8, 5)));          // more steps than sequence entries
  EXPECT_TRUE(Refused(Changed(Header + 32, 0)));         // raw frames
  EXPECT_TRUE(Refused(Changed(Sequence, 3)));            // sequence names a missing frame
  EXPECT_TRUE(Refused(Changed(4, 0xFFFFFFF0)));          // form larger than the file
  EXPECT_TRUE(Refused(Changed(List + 4, 0x7FFFFFFF)));   // chunk larger than the form
  EXPECT_TRUE(Refused(Changed(Bitmap + 4, 100000)));     // image width
  EXPECT_TRUE(Refused(Changed(Bitmap + 8, 0xFFFFFFFE))); // negative image height
  // Cut short anywhere, with the form's size left as it was or made to fit.
  for (size_t Size = 0; Size < Valid.size(); ++Size) {
    std::vector<uint8_t> Cut(Valid.begin(), Valid.begin() + Size);
    EXPECT_TRUE(Refused(Cut)) << Size;
    if (Size >= 12) {
      Poke(Cut, 4, uint32_t(Size - 8));
      EXPECT_TRUE(Refused(Cut)) << Size;
    }
  }
  TAniCursor Cursor;
  std::string Error;
  EXPECT_FALSE(ReadAniCursor(BlueFolder + "NOSUCH.ANI", Cursor, Error));
  EXPECT_FALSE(Error.empty());
  // A named pipe is refused at once instead of waited on.
  const std::string Pipe = testing::TempDir() + "AniCursorPipe.ani";
  std::remove(Pipe.c_str());
  ASSERT_EQ(mkfifo(Pipe.c_str(), 0644), 0);
  EXPECT_FALSE(ReadAniCursor(Pipe, Cursor, Error));
  EXPECT_NE(Error.find("not a regular file"), std::string::npos) << Error;
  std::remove(Pipe.c_str());
}

// Every byte in turn set to extreme values: each result is read or refused,
// never a crash or a read past the end.
TEST(AniCursor, SurvivesEveryCorruptedByte) {
  const std::vector<uint8_t> Valid = EncodeAni(ThreeFrames());
  for (size_t At = 0; At < Valid.size(); ++At)
    for (uint8_t Value : {uint8_t(0), uint8_t(0x7F), uint8_t(0xFF)}) {
      std::vector<uint8_t> Bytes = Valid;
      Bytes[At] = Value;
      TAniCursor Cursor;
      std::string Error;
      if (!ParseAniCursor(Bytes, Cursor, Error))
        continue;
      for (const TAniStep &Step : Cursor.Steps)
        ASSERT_LT(size_t(Step.Frame), Cursor.Frames.size()) << At;
    }
}

TEST(CursorTable, LoadsTheSetLeavingMissingAndBadFilesOnTheArrow) {
  const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "AniCursorTest";
  std::filesystem::remove_all(Folder);
  std::filesystem::copy(BlueFolder, Folder);
  std::filesystem::remove(Folder / CursorFileName(crMoveUp));
  WriteBytes((Folder / CursorFileName(crZoomIn)).string(), {'R', 'I', 'F', 'F'});
  SetScreenCursor(crWait);
  LoadCursors(Folder.string() + "/");
  EXPECT_EQ(ScreenCursor(), crArrow);
  for (int16_t Id = crFirst; Id <= crLast; ++Id)
    EXPECT_EQ(LoadedCursor(Id) == nullptr, Id == crMoveUp || Id == crZoomIn) << Id;
  ASSERT_NE(LoadedCursor(crWait), nullptr);
  EXPECT_GE(LoadedCursor(crWait)->Frames.size(), 8u);
  EXPECT_EQ(LoadedCursor(crFirst - 1), nullptr);
  EXPECT_EQ(CursorFileName(crLast + 1), "");
  LoadCursors((Folder / "Missing").string());
  for (int16_t Id = crFirst; Id <= crLast; ++Id)
    EXPECT_EQ(LoadedCursor(Id), nullptr) << Id;
  std::filesystem::remove_all(Folder);
}
