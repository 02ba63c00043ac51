#include "Pictures.h"

#include "Backdrop.h"
#include "Button.h"
#include "Corner.h"
#include "Glyph.h"
#include "Icon.h"
#include "Palette.h"
#include "Splash.h"
#include "Trim.h"

#include <optional>

namespace {

using TList = std::vector<TNamedPicture>;

constexpr qreal Round = 6;

// The white (normal) and blue (hover) picture of one button, with an optional sign.
void AddPair(TList &List, const QString &Name, const TButtonShape &Shape,
             std::optional<TGlyph> Glyph = std::nullopt) {
  for (TFace Face : {TFace::White, TFace::Blue}) {
    QImage Picture = ButtonPicture(Shape, Face);
    if (Glyph)
      DrawGlyph(Picture, *Glyph, Face);
    List.push_back({Name + (Face == TFace::White ? "White" : "Blue"), Picture});
  }
}

// The left column's buttons, and the rows that pair a caption with signs:
// [Kit | - | +], [< | Piece | >], [Views | ...].
void AddButtons(TList &List) {
  AddPair(List, "BaseButton", {129, 30, TRadii::All(Round)});
  List.push_back({"BaseButtonPressed", ButtonPicture({129, 30, TRadii::All(Round)}, TFace::Pressed)});
  AddPair(List, "ButtonLeft", {81, 30, TRadii::Left(Round)});
  AddPair(List, "ButtonMiddle", {81, 30, {}});
  AddPair(List, "Minus", {24, 30, {}}, TGlyph::Minus);
  AddPair(List, "Plus", {24, 30, TRadii::Right(Round)}, TGlyph::Plus);
  AddPair(List, "ArrowLeft", {24, 30, TRadii::Left(Round)}, TGlyph::Left);
  AddPair(List, "ArrowRight", {24, 30, TRadii::Right(Round)}, TGlyph::Right);
  AddPair(List, "ViewsUp", {129, 16, TRadii::All(4)}, TGlyph::Up);
  AddPair(List, "ViewsDown", {129, 16, TRadii::All(4)}, TGlyph::Down);
}

// Menu items stack into one rounded panel: the top one closes it above, the
// bottom one below, and those between are open on both edges.
void AddMenu(TList &List) {
  AddPair(List, "MenuTop", {129, 24, TRadii::Top(Round), false, true, true});
  AddPair(List, "MenuItem", {129, 24, {}, true, true, true});
  AddPair(List, "MenuBottom", {129, 24, TRadii::Bottom(Round), true, false, true});
  List.push_back({"MenuSeparator", MenuSeparatorPicture()});
}

// The 15-pixel corners round the white left column against the backdrop
// (white inside), and the backdrop's own corners against the column (white outside).
void AddScreenCorners(TList &List) {
  const QColor &In = Palette::White, &Out = Palette::Backdrop;
  List.push_back({"LeftUp", CornerPicture(15, TCorner::TopLeft, Out, In)});
  List.push_back({"LeftDown", CornerPicture(15, TCorner::BottomLeft, Out, In)});
  List.push_back({"TopRight", CornerPicture(15, TCorner::TopRight, Out, In)});
  List.push_back({"BottomRight", CornerPicture(15, TCorner::BottomRight, Out, In)});
  List.push_back({"LeftUpWhite", CornerPicture(15, TCorner::TopLeft, In, Out)});
  List.push_back({"LeftBottomWhite", CornerPicture(15, TCorner::BottomLeft, In, Out)});
}

// The 5-pixel corners laid over the previews: white around the main
// window's previews, blue around the spin frames (whose ground is white).
void AddPreviewCorners(TList &List) {
  const struct {
    const char *Name;
    TCorner Corner;
  } Corners[] = {{"TopLeft", TCorner::TopLeft},
                 {"TopRight", TCorner::TopRight},
                 {"BottomLeft", TCorner::BottomLeft},
                 {"BottomRight", TCorner::BottomRight}};
  for (const auto &C : Corners) {
    const QString Name = C.Name;
    List.push_back({Name + "White2", CornerPicture(5, C.Corner, Palette::White, Palette::PreviewGround)});
    List.push_back({Name + "Blue2", CornerPicture(5, C.Corner, Palette::SpinBlue, Palette::White)});
  }
}

} // namespace

std::vector<TNamedPicture> AllPictures() {
  TList List;
  AddButtons(List);
  AddMenu(List);
  AddScreenCorners(List);
  AddPreviewCorners(List);
  List.push_back({"Background", BackdropTile()});
  List.push_back({"Splash", SplashPicture()});
  List.push_back({"EditFrame", EditFramePicture()});
  List.push_back({"Icon", IconPicture()});
  return List;
}
