// The embedded artwork: every picture is there with its exact size, each
// white button has a blue twin that looks different, the icon leaves its
// ground transparent, and an unknown name gives an empty picture.
#include "shell/Artwork.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <map>
#include <string>

namespace {

const std::map<std::string, QSize> &ExpectedSizes() {
  static const std::map<std::string, QSize> Sizes = [] {
    std::map<std::string, QSize> S;
    const auto Pair = [&S](const std::string &Name, int W, int H, const char *After = "") {
      S[Name + "White" + After] = S[Name + "Blue" + After] = QSize(W, H);
    };
    Pair("BaseButton", 129, 30);
    S["BaseButtonPressed"] = QSize(129, 30);
    Pair("MenuTop", 129, 24);
    Pair("MenuItem", 129, 24);
    Pair("MenuBottom", 129, 24);
    Pair("ButtonLeft", 81, 30);
    Pair("ButtonMiddle", 81, 30);
    for (const char *Sign : {"Plus", "Minus", "ArrowLeft", "ArrowRight"})
      Pair(Sign, 24, 30);
    Pair("ViewsUp", 129, 16);
    Pair("ViewsDown", 129, 16);
    for (const char *Corner : {"LeftUp", "LeftDown", "LeftUpWhite", "LeftBottomWhite", "TopRight",
                               "BottomRight"})
      S[Corner] = QSize(15, 15);
    for (const char *Corner : {"TopLeft", "TopRight", "BottomLeft", "BottomRight"})
      Pair(Corner, 5, 5, "2");
    S["Background"] = QSize(175, 104);
    S["Splash"] = QSize(637, 120);
    S["EditFrame"] = QSize(60, 28);
    S["MenuSeparator"] = QSize(129, 2);
    S["Icon"] = QSize(128, 128);
    return S;
  }();
  return Sizes;
}

// The blue twin of a white picture's name, or empty if it has none.
std::string BlueTwin(const std::string &Name) {
  const size_t At = Name.find("White");
  if (At == std::string::npos)
    return {};
  std::string Twin = Name;
  Twin.replace(At, 5, "Blue");
  return Twin;
}

void EnsureApplication() {
  if (QGuiApplication::instance())
    return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int Argc = 1;
  static char Name[] = "ArtworkTest";
  static char *Argv[] = {Name, nullptr};
  new QGuiApplication(Argc, Argv); // kept for the whole run, as pixmaps need it
}

} // namespace

TEST(Artwork, ListsExactlyTheExpectedPictures) {
  const auto &Expected = ExpectedSizes();
  EXPECT_EQ(ArtworkNames().size(), Expected.size());
  for (const char *Name : ArtworkNames())
    EXPECT_TRUE(Expected.count(Name)) << Name;
}

TEST(Artwork, EveryPictureHasItsExactSize) {
  EnsureApplication();
  for (const auto &[Name, Size] : ExpectedSizes()) {
    const QPixmap Picture = ArtworkPicture(Name.c_str());
    ASSERT_FALSE(Picture.isNull()) << Name;
    EXPECT_EQ(Picture.size(), Size) << Name;
  }
}

TEST(Artwork, WhiteAndBlueTwinsDiffer) {
  int Pairs = 0;
  for (const char *Name : ArtworkNames()) {
    const std::string Twin = BlueTwin(Name);
    if (Twin.empty() || !ExpectedSizes().count(Twin))
      continue;
    EXPECT_NE(ArtworkImage(Name), ArtworkImage(Twin.c_str())) << Name;
    ++Pairs;
  }
  EXPECT_EQ(Pairs, 16); // twelve buttons and four preview corners
}

// The desktop shows the icon on any ground: only the bricks may cover it.
TEST(Artwork, IconIsBricksOnATransparentGround) {
  const QImage Icon = ArtworkImage("Icon");
  ASSERT_FALSE(Icon.isNull());
  const int Last = Icon.width() - 1;
  for (const QPoint Corner : {QPoint(0, 0), QPoint(Last, 0), QPoint(0, Last), QPoint(Last, Last)})
    EXPECT_EQ(qAlpha(Icon.pixel(Corner)), 0) << Corner.x() << "," << Corner.y();
  EXPECT_EQ(qAlpha(Icon.pixel(Icon.rect().center())), 255);
}

TEST(Artwork, UnknownNameGivesAnEmptyPicture) {
  EnsureApplication();
  EXPECT_TRUE(ArtworkPicture("NoSuchPicture").isNull());
}
