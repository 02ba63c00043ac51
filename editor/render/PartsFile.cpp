#include "PartsFile.h"

#include "model/Disk.h"
#include "model/Global.h"
#include "platform/PngFile.h"
#include "platform/ReplaceFile.h"
#include "platform/Text.h"

#include <QByteArray>

#include <cstring>

#include <filesystem>

namespace {

std::string Escaped(const std::string &Text) {
  std::string Out;
  for (char C : Text)
    switch (C) {
    case '&': Out += "&amp;"; break;
    case '<': Out += "&lt;"; break;
    case '>': Out += "&gt;"; break;
    case '"': Out += "&quot;"; break;
    default: Out += C;
    }
  return Out;
}

// The chooser's thumbnail of a row's piece as an image inside the page, or
// nothing when the kit gave no picture.
std::string PictureOf(const TPartsRow &Row) {
  const TBitmap &Thumbnail = Construction.Kits[Row.Kit].Thumbnails[Row.Piece];
  if (Thumbnail.IsEmpty())
    return "";
  const QImage &Image = Thumbnail.Image();
  std::vector<uint8_t> Bgra(size_t(Image.width()) * Image.height() * 4);
  for (int Y = 0; Y < Image.height(); ++Y)
    std::memcpy(&Bgra[size_t(Y) * Image.width() * 4], Thumbnail.ScanLine(Y), size_t(Image.width()) * 4);
  std::string Error;
  const std::vector<uint8_t> Png = BgraPngBytes(Image.width(), Image.height(), Bgra.data(), Error);
  if (Png.empty())
    return "";
  const QByteArray Base64 =
      QByteArray(reinterpret_cast<const char *>(Png.data()), qsizetype(Png.size())).toBase64();
  return "<img width=\"" + std::to_string(Image.width()) + "\" height=\"" +
         std::to_string(Image.height()) + "\" alt=\"\" src=\"data:image/png;base64," +
         Base64.toStdString() + "\">";
}

} // namespace

bool IsPartsFile(const std::string &Path) {
  const std::string E = LowerExtension(Path);
  return E == ".csv" || E == ".html" || E == ".htm";
}

std::string ConstructionTitle() {
  if (Construction.FileName.empty())
    return "Untitled";
  return std::filesystem::path(Construction.FileName).stem().string();
}

std::string PartsHtml(const std::vector<TPartsRow> &Rows, const std::string &Title) {
  std::string Page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      // Nothing is fetched from anywhere: the pictures are inside the page.
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; img-src data:; "
      "style-src 'unsafe-inline'\">\n"
      "<title>Parts of " + Escaped(Title) + "</title>\n"
      "<style>\nbody { font-family: sans-serif; margin: 2em; }\n"
      "table { border-collapse: collapse; }\n"
      "th, td { border: 1px solid #bbb; padding: 4px 12px; text-align: left; }\n"
      "td.count, tfoot td { text-align: right; }\n</style>\n</head>\n<body>\n"
      "<h1>Parts of " + Escaped(Title) + "</h1>\n<table>\n<thead><tr><th>Picture</th><th>Kit</th>"
      "<th>Piece</th><th>Size (cells)</th><th>Count</th></tr></thead>\n<tbody>\n";
  for (const TPartsRow &Row : Rows)
    Page += "<tr><td>" + PictureOf(Row) + "</td><td>" + Escaped(Construction.KitNames[Row.Kit]) +
            "</td><td>" + std::to_string(Row.Piece) + "</td><td>" + SizeText(Row) +
            "</td><td class=\"count\">" + std::to_string(Row.Count) + "</td></tr>\n";
  return Page + "</tbody>\n<tfoot><tr><th colspan=\"4\">Total</th><td>" +
         std::to_string(PartsTotal(Rows)) + "</td></tr></tfoot>\n</table>\n</body>\n</html>\n";
}

std::string WritePartsFile(const std::string &Path) {
  if (!IsPartsFile(Path))
    return "its extension names no parts list format Stavemont writes (.csv or .html).";
  if (IsConstructionFile(Path))
    return "it is the construction file itself, which the parts list would replace.";
  const std::vector<TPartsRow> Rows = PartsList();
  const std::string Text = LowerExtension(Path) == ".csv" ? PartsCsv(Rows) : PartsHtml(Rows, ConstructionTitle());
  std::string Reason;
  if (!ReplaceFile(Path, reinterpret_cast<const uint8_t *>(Text.data()), Text.size(), Reason))
    return Reason;
  return {};
}
