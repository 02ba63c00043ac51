#include "CommandLine.h"

#include "platform/Text.h"

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

// An argument as the parser reads it, losing no byte: valid UTF-8 is read as
// such, and every other byte B becomes the lone code unit 0xDC00 + B, which
// no text holds, so that Bytes gives back the argument exactly.
QString ArgumentText(const std::string &Argument) {
  QString Text;
  for (size_t At = 0; At < Argument.size();) {
    uint32_t Point = 0;
    const size_t Length = Utf8Sequence(Argument, At, Point);
    if (Length == 0)
      Text += QChar(char16_t(0xDC00 + uint8_t(Argument[At++])));
    else
      Text += QString::fromUtf8(Argument.data() + At, qsizetype(Length)), At += Length;
  }
  return Text;
}

// The bytes of an argument read by ArgumentText (a pair of surrogates is one
// character, never an escaped byte).
std::string Bytes(const QString &Text) {
  std::string Out;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const char16_t Unit = Text[I].unicode();
    if (Unit >= 0xDC80 && Unit <= 0xDCFF) {
      Out += char(Unit - 0xDC00);
      continue;
    }
    const qsizetype Count = Text[I].isHighSurrogate() && I + 1 < Text.size() ? 2 : 1;
    Out += Text.mid(I, Count).toStdString();
    I += Count - 1;
  }
  return Out;
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
    Out.push_back(Bytes(S));
  return Out;
}

// A construction file and one output, the output moved into Picture; false
// when there are not exactly two files.
bool TakeOutput(TCommandLine &Line, TCommandLine::TKind Kind) {
  if (Line.Files.size() != 2)
    return false;
  Line.Kind = Kind;
  Line.Picture = Line.Files[1];
  Line.Files.resize(1);
  return true;
}

// --size and --view, which go with --render and --instructions.
std::optional<std::string> ReadPicture(const QCommandLineParser &Parser, TCommandLine &Line) {
  if (Parser.isSet("size") && !ReadSize(Parser.value("size"), Line.Width, Line.Height))
    return "--size takes WIDTHxHEIGHT, each from 1 to 8192 pixels";
  if (Parser.isSet("view"))
    Line.View = Bytes(Parser.value("view"));
  return std::nullopt;
}

// The options that only go with --render.
TCommandLine ReadRender(const QCommandLineParser &Parser, TCommandLine Line) {
  if (!TakeOutput(Line, TCommandLine::Render))
    return Wrong("--render takes a construction file and a picture file");
  if (const std::optional<std::string> Problem = ReadPicture(Parser, Line))
    return Wrong(*Problem);
  uint32_t Color = 0;
  if (Parser.isSet("scene-color")) {
    if (!ReadColor(Parser.value("scene-color"), Color))
      return Wrong("--scene-color takes a colour as RRGGBB in hexadecimal");
    Line.SceneColor = Color;
  }
  return Line;
}

// --instructions's files, its pictures and its steps.
TCommandLine ReadInstructions(const QCommandLineParser &Parser, TCommandLine Line) {
  if (!TakeOutput(Line, TCommandLine::Instructions))
    return Wrong("--instructions takes a construction file and a PDF file");
  if (const std::optional<std::string> Problem = ReadPicture(Parser, Line))
    return Wrong(*Problem);
  if (Parser.isSet("step-pieces")) {
    static const QRegularExpression Pattern("^[0-9]{1,4}$");
    const QString Text = Parser.value("step-pieces");
    Line.StepPieces = Pattern.match(Text).hasMatch() ? Text.toInt() : 0;
    if (Line.StepPieces < 1 || Line.StepPieces > 1000)
      return Wrong("--step-pieces takes the most new pieces a step, from 1 to 1000");
  }
  return Line;
}

// --parts's construction file and, if any, the file to write.
TCommandLine ReadParts(TCommandLine Line) {
  if (Line.Files.size() == 1) {
    Line.Kind = TCommandLine::Parts;
    return Line;
  }
  if (!TakeOutput(Line, TCommandLine::Parts))
    return Wrong("--parts takes a construction file and, if not to standard output, a CSV or HTML file");
  return Line;
}

// --export's files and its cell size.
TCommandLine ReadExport(const QCommandLineParser &Parser, TCommandLine Line) {
  if (!TakeOutput(Line, TCommandLine::Export))
    return Wrong("--export takes a construction file and a model file");
  if (Parser.isSet("cell-mm")) {
    bool Number = false;
    Line.CellMm = Parser.value("cell-mm").toDouble(&Number);
    if (!Number || !(Line.CellMm >= 0.01 && Line.CellMm <= 10000))
      return Wrong("--cell-mm takes the edge of a cell in millimetres, from 0.01 to 10000");
  }
  return Line;
}

// An option that goes only with some modes, used with none of them.
std::optional<std::string> MisplacedOption(const QCommandLineParser &Parser) {
  const bool Render = Parser.isSet("render"), Instructions = Parser.isSet("instructions");
  if ((Parser.isSet("size") || Parser.isSet("view")) && !Render && !Instructions)
    return "--size and --view go with --render or --instructions";
  if (Parser.isSet("scene-color") && !Render)
    return "--scene-color goes with --render";
  if (Parser.isSet("step-pieces") && !Instructions)
    return "--step-pieces goes with --instructions";
  if (Parser.isSet("cell-mm") && !Parser.isSet("export"))
    return "--cell-mm goes with --export";
  return std::nullopt;
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string> &Arguments) {
  QCommandLineParser Parser;
  Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  Parser.addOptions({{"render", ""},
                     {"export", ""},
                     {"parts", ""},
                     {"instructions", ""},
                     {"step-pieces", "", "N"},
                     {"cell-mm", "", "N"},
                     {"check", ""},
                     {"version", ""},
                     {{"h", "help"}, ""},
                     {"size", "", "WxH"},
                     {"view", "", "NAME"},
                     {"scene-color", "", "RRGGBB"}});
  QStringList Line{"stavemont"};
  for (const std::string &A : Arguments)
    Line << ArgumentText(A);
  if (!Parser.parse(Line))
    return Wrong(Bytes(Parser.errorText()));
  TCommandLine Command;
  Command.Files = Strings(Parser.positionalArguments());
  int Modes = 0;
  for (const char *Mode : {"render", "check", "export", "parts", "instructions", "version", "help"})
    Modes += Parser.isSet(Mode);
  if (Modes > 1)
    return Wrong("--render, --check, --export, --parts, --instructions, --version and --help go alone");
  if (const std::optional<std::string> Problem = MisplacedOption(Parser))
    return Wrong(*Problem);
  if (Parser.isSet("render"))
    return ReadRender(Parser, Command);
  if (Parser.isSet("export"))
    return ReadExport(Parser, Command);
  if (Parser.isSet("instructions"))
    return ReadInstructions(Parser, Command);
  if (Parser.isSet("parts"))
    return ReadParts(Command);
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
         "  stavemont --export FILE.cns OUT.glb|OUT.obj|OUT.stl [--cell-mm N]\n"
         "                            write the construction as a 3-D model (glTF binary,\n"
         "                            Wavefront OBJ or STL), a cell N millimetres wide (10);\n"
         "                            needs no display\n"
         "  stavemont --parts FILE.cns [OUT.csv|OUT.html]\n"
         "                            write the parts list: how many of each piece, as CSV (to\n"
         "                            standard output when no file is named) or as an HTML page\n"
         "                            with the pieces' pictures; needs no display\n"
         "  stavemont --instructions FILE.cns OUT.pdf [--view NAME] [--size WxH] [--step-pieces N]\n"
         "                            write building instructions as a PDF: a cover with the parts\n"
         "                            list, then a page a step, layer by layer, at most N (12) new\n"
         "                            pieces a step, pictures of that size (800x600) from that\n"
         "                            saved view (the file's own camera); needs no display\n"
         "  stavemont --check FILE.cns...\n"
         "                            check each file as a load does; prints \"ok\" or the reason\n"
         "  stavemont --version       print the version\n"
         "  stavemont -h, --help      print this text\n";
}
