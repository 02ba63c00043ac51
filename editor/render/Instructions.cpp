#include "Instructions.h"

#include "PartsFile.h"
#include "StepPicture.h"
#include "model/BuildingSteps.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "model/PartsList.h"
#include "platform/ReplaceFile.h"
#include "platform/Text.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int Dpi = 150;

// Where each of Count tiles goes in Area: the largest tiles, of a fixed
// shape, of which a grid inside Area holds Count.
class TTileGrid {
public:
  TTileGrid(const QRectF &Area, int Count) : FArea(Area) {
    FHeight = Dpi * 0.9;
    while (FHeight > 8 && Columns() * Rows() < Count)
      FHeight *= 0.9;
  }
  QRectF Tile(int I) const {
    const int C = std::max(Columns(), 1);
    return {FArea.left() + (I % C) * Width(), FArea.top() + (I / C) * FHeight, Width() * 0.95,
            FHeight * 0.9};
  }

private:
  double Width() const { return FHeight * 2.4; }
  int Columns() const { return int(FArea.width() / Width()); }
  int Rows() const { return int(FArea.height() / FHeight); }
  QRectF FArea;
  double FHeight;
};

QFont FontOf(double PixelSize, bool Bold = false) {
  QFont Font("DejaVu Sans");
  Font.setPixelSize(std::max(1, int(PixelSize)));
  Font.setBold(Bold);
  return Font;
}

// A part: its picture as the chooser shows it, the count, and what it is.
// Each piece's picture is the one image its kit keeps, so the PDF holds it once.
void DrawPartTile(QPainter &Painter, const QRectF &Tile, const TPartsRow &Row) {
  const double Side = Tile.height();
  const TBitmap &Thumbnail = Construction.Kits[Row.Kit].Thumbnails[Row.Piece];
  if (!Thumbnail.IsEmpty())
    Painter.drawImage(QRectF(Tile.left(), Tile.top(), Side, Side), Thumbnail.Image());
  const QRectF Text(Tile.left() + Side * 1.08, Tile.top(), Tile.width() - Side * 1.08, Side);
  Painter.setFont(FontOf(Side * 0.3, true));
  Painter.drawText(Text.adjusted(0, 0, 0, -Side * 0.5), Qt::AlignLeft | Qt::AlignBottom,
                   QString("%1 x").arg(Row.Count));
  Painter.setFont(FontOf(Side * 0.14));
  Painter.drawText(Text.adjusted(0, Side * 0.55, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(Construction.KitNames[Row.Kit] + " " + std::to_string(Row.Piece) +
                                          "\n" + SizeText(Row)));
}

void DrawParts(QPainter &Painter, const QRectF &Area, const std::vector<TPartsRow> &Rows) {
  const TTileGrid Grid(Area, int(Rows.size()));
  for (size_t I = 0; I < Rows.size(); ++I)
    DrawPartTile(Painter, Grid.Tile(int(I)), Rows[I]);
}

// The picture as large as Area holds it, centred, framed thinly; false when
// there is no picture (no drawing context could be had).
bool DrawPicture(QPainter &Painter, const QRectF &Area, const QImage &Picture) {
  if (Picture.isNull())
    return false;
  const double Scale = std::min(Area.width() / Picture.width(), Area.height() / Picture.height());
  QRectF Target(0, 0, Picture.width() * Scale, Picture.height() * Scale);
  Target.moveCenter(Area.center());
  Painter.drawImage(Target, Picture);
  Painter.setPen(QPen(Qt::gray, 1));
  Painter.drawRect(Target);
  Painter.setPen(Qt::black);
  return true;
}

void DrawHeading(QPainter &Painter, const QRectF &Page, const QString &Title, const QString &Line) {
  Painter.setFont(FontOf(Dpi * 0.28, true));
  Painter.drawText(QRectF(Page.left(), Page.top(), Page.width(), Dpi * 0.4), Qt::AlignLeft | Qt::AlignTop,
                   Title);
  Painter.setFont(FontOf(Dpi * 0.13));
  Painter.drawText(QRectF(Page.left(), Page.top() + Dpi * 0.42, Page.width(), Dpi * 0.2),
                   Qt::AlignLeft | Qt::AlignTop, Line);
}

constexpr double HeadingHeight = Dpi * 0.75;

bool DrawCover(QPainter &Painter, const QRectF &Page, size_t Steps) {
  std::vector<int> All(Construction.PieceCount);
  std::iota(All.begin(), All.end(), 1);
  const std::vector<TPartsRow> Rows = PartsList();
  DrawHeading(Painter, Page, QString::fromStdString(ConstructionTitle()),
              QString("%1 pieces, built in %2 steps").arg(PartsTotal(Rows)).arg(Steps));
  const QRectF Body = Page.adjusted(0, HeadingHeight, 0, 0);
  const bool Drawn = DrawPicture(Painter, QRectF(Body.left(), Body.top(), Body.width() * 0.6, Body.height()),
                                 DrawStepPicture({}, All));
  DrawParts(Painter, QRectF(Body.left() + Body.width() * 0.62, Body.top(), Body.width() * 0.38, Body.height()),
            Rows);
  return Drawn;
}

bool DrawStep(QPainter &Painter, const QRectF &Page, const std::vector<std::vector<int>> &Steps, size_t S,
              const std::vector<int> &Earlier) {
  const std::vector<TPartsRow> Rows = PartsOf(Steps[S]);
  DrawHeading(Painter, Page, QString("Step %1 of %2").arg(S + 1).arg(Steps.size()),
              QString("%1 new pieces").arg(Steps[S].size()));
  const double Strip = Dpi * 1.25; // the step's parts, below the picture
  const QRectF Body = Page.adjusted(0, HeadingHeight, 0, -Strip);
  const bool Drawn = DrawPicture(Painter, Body, DrawStepPicture(Earlier, Steps[S]));
  DrawParts(Painter, QRectF(Page.left(), Page.bottom() - Strip + Dpi * 0.15, Page.width(), Strip - Dpi * 0.15),
            Rows);
  return Drawn;
}

// Draws every page; false when PagesMade stopped the work. Problem says why
// when the pages could not be begun or a picture could not be drawn.
bool DrawPages(QPdfWriter &Writer, const TPagesMade &PagesMade, int StepPieces, std::string &Problem) {
  QPainter Painter;
  if (!Painter.begin(&Writer)) {
    Problem = "the PDF could not be begun.";
    return true;
  }
  const QRectF Page(QPointF(0, 0), QSizeF(Writer.width(), Writer.height()));
  const std::vector<std::vector<int>> Steps = BuildingSteps(StepPieces);
  const int Pages = int(Steps.size()) + 1;
  const char *Undrawn = "its pictures could not be drawn.";
  if (!DrawCover(Painter, Page, Steps.size())) {
    Problem = Undrawn;
    return true;
  }
  if (PagesMade && !PagesMade(1, Pages))
    return false;
  std::vector<int> Earlier;
  for (size_t S = 0; S < Steps.size(); ++S) {
    Writer.newPage();
    if (!DrawStep(Painter, Page, Steps, S, Earlier)) {
      Problem = Undrawn;
      return true;
    }
    Earlier.insert(Earlier.end(), Steps[S].begin(), Steps[S].end());
    if (PagesMade && !PagesMade(int(S) + 2, Pages))
      return false;
  }
  Painter.end();
  return true;
}

} // namespace

bool IsInstructionsFile(const std::string &Path) {
  return LowerExtension(Path) == ".pdf";
}

std::string WriteInstructions(const std::string &Path, int StepPieces, const TPagesMade &PagesMade,
                              bool &Stopped) {
  Stopped = false;
  if (IsConstructionFile(Path))
    return "it is the construction file itself, which the instructions would replace.";
  QBuffer Out;
  Out.open(QIODevice::WriteOnly);
  std::string Problem;
  {
    QPdfWriter Writer(&Out);
    Writer.setResolution(Dpi);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    Writer.setTitle(QString::fromStdString("Building instructions: " + ConstructionTitle()));
    Writer.setCreator("Stavemont");
    if (!DrawPages(Writer, PagesMade, StepPieces, Problem)) {
      Stopped = true;
      return "the instructions were stopped.";
    }
  }
  if (!Problem.empty())
    return Problem;
  std::string Reason;
  const QByteArray &Bytes = Out.data();
  if (!ReplaceFile(Path, reinterpret_cast<const uint8_t *>(Bytes.constData()), size_t(Bytes.size()), Reason))
    return Reason;
  return {};
}
