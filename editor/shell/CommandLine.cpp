#include "CommandLine.h"


#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>

namespace {

// "WxH" with each side a whole number the viewport can take.
bool ReadSize(const QString &Text, int &Width, int &Height) {
  static const QRegularExpression Pattern("^([0-9]{1,5})x([0-9]{1,5})$");
  const QRegularExpressionMatch Match = Pattern.match(Text);
  if (!Match.hasMatch())
    return false;
  Width = Match.captured(1).toInt();
  Height = Match.captured(2).toInt();
  return Width >= 1 && Height >= 1 && Width <= 8192 && Height <= 8192;
}

// "RRGGBB" in hexadecimal, stored with red in the low byte.
bool ReadColor(const QString &Text, uint32_t &Color) {
  static const QRegularExpression Pattern("^[0-9A-Fa-f]{6}$");
  if (!Pattern.match(Text).hasMatch())
    return false;
  const uint32_t RGB = Text.toUInt(nullptr, 16);
  Color = (RGB >> 16) | (RGB & 0x00FF00) | ((RGB & 0xFF) << 16);
  return true;
}

TCommandLine Wrong(const std::string &Problem) {
  TCommandLine Line;
  Line.Kind = TCommandLine::Wrong;
  Line.Problem = Problem;
  return Line;
}

std::vector<std::string> Strings(const QStringList &List) {
  std::vector<std::string> Out;
  for (const QString &S : List)
    Out.push_back(S.toStdString());
  return Out;
}

// The options that only go with --render.
TCommandLine ReadRender(const QCommandLineParser &Parser, TCommandLine Line) {
  if (Line.Files.size() != 2)
    return Wrong("--render takes a construction file and a picture file");
  Line.Kind = TCommandLine::Render;
  Line.Picture = Line.Files[1];
  Line.Files.resize(1);
  if (Parser.isSet("size") && !ReadSize(Parser.value("size"), Line.Width, Line.Height))
    return Wrong("--size takes WIDTHxHEIGHT, each from 1 to 8192 pixels");
  if (Parser.isSet("view"))
    Line.View = Parser.value("view").toStdString();
  uint32_t Color = 0;
  if (Parser.isSet("scene-color")) {
    if (!ReadColor(Parser.value("scene-color"), Color))
      return Wrong("--scene-color takes a colour as RRGGBB in hexadecimal");
    Line.SceneColor = Color;
  }
  return Line;
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string> &Arguments) {
  QCommandLineParser Parser;
  Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  Parser.addOptions({{"render", ""},
                     {"check", ""},
                     {"version", ""},
                     {"help", ""},
                     {"size", "", "WxH"},
                     {"view", "", "NAME"},
                     {"scene-color", "", "RRGGBB"}});
  QStringList Line{"stavemont"};
  for (const std::string &A : Arguments)
    Line << QString::fromStdString(A);
  if (!Parser.parse(Line))
    return Wrong(Parser.errorText().toStdString());
  TCommandLine Command;
  Command.Files = Strings(Parser.positionalArguments());
  const bool RenderOptions = Parser.isSet("size") || Parser.isSet("view") || Parser.isSet("scene-color");
  const int Modes = Parser.isSet("render") + Parser.isSet("check") + Parser.isSet("version") +
                    Parser.isSet("help");
  if (Modes > 1)
    return Wrong("--render, --check, --version and --help go alone");
  if (RenderOptions && !Parser.isSet("render"))
    return Wrong("--size, --view and --scene-color go with --render");
  if (Parser.isSet("render"))
    return ReadRender(Parser, Command);
  if (Parser.isSet("check")) {
    if (Command.Files.empty())
      return Wrong("--check takes one or more construction files");
    Command.Kind = TCommandLine::Check;
  } else if (Parser.isSet("version") || Parser.isSet("help")) {
    if (!Command.Files.empty())
      return Wrong("--version and --help take no file");
    Command.Kind = Parser.isSet("version") ? TCommandLine::Version : TCommandLine::Help;
  } else if (Command.Files.size() > 1) {
    return Wrong("the editor opens one construction file at a time");
  }
  return Command;
}

std::string UsageText() {
  return "Usage:\n"
         "  stavemont                 start the editor\n"
         "  stavemont FILE.cns        start the editor with FILE.cns loaded\n"
         "  stavemont --render FILE.cns OUT.png [--size WxH] [--view NAME] [--scene-color RRGGBB]\n"
         "                            write the picture the editor's Capture would write for a\n"
         "                            viewport of that size (800x600) and that saved view (the\n"
         "                            file's own camera); needs no display\n"
         "  stavemont --check FILE.cns...\n"
         "                            check each file as a load does; prints \"ok\" or the reason\n"
         "  stavemont --version       print the version\n"
         "  stavemont --help          print this text\n";
}
