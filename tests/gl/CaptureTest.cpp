// Captures: the look render writing the viewport's picture as a PNG file.
// The picture is read back with libpng and checked against the scene, the
// base's projected corners and what the viewport window itself shows; a file
// that cannot be written must leave the editor as it was.
#include "Editor.h"
#include "Picking.h"
#include "model/Global.h"
#include "platform/Cursor.h"
#include "platform/Messages.h"
#include "render/Capture.h"
#include "render/Construction.h"
#include "render/ExportModel.h"
#include "render/MeshFiles.h"
#include "model/BuildingSteps.h"
#include "model/PartsList.h"
#include "render/Overlay.h"
#include "render/StepPicture.h"
#include "render/Scene.h"
#include "shell/Captures.h"
#include "viewport/Look.h"

#include "edits/ViewEdits.h"
#include "model/Disk.h"
#include "render/Views.h"

#include <QApplication>
#include <QProcess>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

uint8_t Red(uint32_t Rgb) { return uint8_t(Rgb >> 16); }
uint8_t Green(uint32_t Rgb) { return uint8_t(Rgb >> 8); }
uint8_t Blue(uint32_t Rgb) { return uint8_t(Rgb); }

// A PNG file as libpng reads it: the format stored in the file and the pixels.
struct TPicture {
  bool Read = false;
  png_uint_32 FileFormat = 0;
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;

  uint32_t At(int X, int Y) const {
    const uint8_t *P = &Rgb[(size_t(Y) * Width + X) * 3];
    return uint32_t(P[0]) << 16 | uint32_t(P[1]) << 8 | P[2];
  }
};

TPicture ReadPicture(const std::string &Path) {
  TPicture Picture;
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Image, Path.c_str()))
    return Picture;
  Picture.FileFormat = Image.format;
  Picture.Width = int(Image.width);
  Picture.Height = int(Image.height);
  Image.format = PNG_FORMAT_RGB;
  Picture.Rgb.resize(PNG_IMAGE_SIZE(Image));
  Picture.Read = png_image_finish_read(&Image, nullptr, Picture.Rgb.data(), 0, nullptr) != 0;
  return Picture;
}

uint32_t SceneRgb() {
  return uint32_t(Construction.SceneRed) << 16 | uint32_t(Construction.SceneGreen) << 8 |
         Construction.SceneBlue;
}

// The base's extent in the picture, from its four projected corners.
struct TBaseRows {
  int Top, Bottom, Left, Right;
};

TBaseRows BaseExtent() {
  const double W = Construction.BaseWidth, L = Construction.BaseLength;
  TBaseRows R{1 << 20, -(1 << 20), 1 << 20, -(1 << 20)};
  for (const TPoint &Corner :
       {TPoint{0, 0, 0}, TPoint{W, 0, 0}, TPoint{0, L, 0}, TPoint{W, L, 0}}) {
    const TPixel P = PixelOf(Corner);
    R.Top = std::min(R.Top, P.Y), R.Bottom = std::max(R.Bottom, P.Y);
    R.Left = std::min(R.Left, P.X), R.Right = std::max(R.Right, P.X);
  }
  return R;
}

// Whether V lies strictly between A and B, at least Margin away from both.
bool Between(int V, int A, int B, int Margin) {
  return V >= std::min(A, B) + Margin && V <= std::max(A, B) - Margin;
}

// Pixels on the base's left edge that mix the scene colour on their left with
// the base on their right: each of the middle rows of the base is walked from
// the left until it leaves the scene colour.
int MixedEdgePixels(const TPicture &Picture, const TBaseRows &Base) {
  const uint32_t Scene = SceneRgb();
  int Mixed = 0;
  for (int Y = Base.Top + 10; Y <= Base.Bottom - 10; ++Y) {
    int X = 1;
    while (X < Picture.Width - 3 && Picture.At(X, Y) == Scene)
      ++X;
    const uint32_t Edge = Picture.At(X, Y), Inside = Picture.At(X + 2, Y);
    Mixed += Between(Green(Edge), Green(Scene), Green(Inside), 8) ||
             Between(Blue(Edge), Blue(Scene), Blue(Inside), 8);
  }
  return Mixed;
}

class Capture : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    OldSink = SetMessageSink([this](const std::string &Text, const std::string &Title) {
      Messages.push_back(Title + ": " + Text);
    });
    NewConstruction(20, 20, 20);
    Folder = fs::temp_directory_path() / ("CaptureTest-" + std::to_string(getpid()));
    fs::create_directories(Folder);
  }

  void TearDown() override {
    fs::remove_all(Folder);
    SetMessageSink(OldSink);
  }

  std::string PathOf(const std::string &Name) const { return (Folder / Name).string(); }

  TMessageSink OldSink;
  std::vector<std::string> Messages;
  fs::path Folder;
};

TEST_F(Capture, IsTheViewportPictureTopRowFirst) {
  ASSERT_EQ(Construction.ViewportWidth, 800);
  ASSERT_EQ(Construction.ViewportHeight, 600);
  CaptureTo(PathOf("view.png"));
  EXPECT_TRUE(Messages.empty()) << Messages.front();
  const TPicture Picture = ReadPicture(PathOf("view.png"));
  ASSERT_TRUE(Picture.Read);
  EXPECT_EQ(Picture.FileFormat, png_uint_32(PNG_FORMAT_RGB)); // 8 bits a channel, no alpha
  ASSERT_EQ(Picture.Width, 800);
  ASSERT_EQ(Picture.Height, 600);

  // Nothing is drawn in the corners and above the base, seen tilted from the front.
  const uint32_t Scene = SceneRgb();
  EXPECT_EQ(Picture.At(0, 0), Scene);
  EXPECT_EQ(Picture.At(799, 599), Scene);
  const TBaseRows Base = BaseExtent();
  ASSERT_GT(Base.Top, 20);
  ASSERT_LT(Base.Bottom, 580);
  // The tilted base is not symmetric about the middle row: a picture turned
  // upside down would show it elsewhere.
  ASSERT_GT(std::abs((Base.Top + Base.Bottom) - 599), 40);
  for (int X = 0; X < 800; X += 20) {
    EXPECT_EQ(Picture.At(X, Base.Top - 5), Scene) << X;
    EXPECT_EQ(Picture.At(X, Base.Bottom + 5), Scene) << X;
  }

  // The middle of the base shows the lit base colour (green).
  const TPixel Middle = PixelOf({10, 10, 0});
  const uint32_t Lit = Picture.At(Middle.X, Middle.Y);
  EXPECT_NE(Lit, Scene);
  EXPECT_GT(Green(Lit), Red(Lit) + 40) << std::hex << Lit;
  EXPECT_GT(Green(Lit), Blue(Lit) + 40) << std::hex << Lit;
}

TEST_F(Capture, ShowsWhatTheViewportWindowShows) {
  LoadAllKits();
  Put(BlueTwo, 3, 4, 0, 1);
  Put(RoofEight, 10, 10, 0, 2);
  CaptureTo(PathOf("same.png"));
  const TPicture Picture = ReadPicture(PathOf("same.png"));
  ASSERT_TRUE(Picture.Read);
  TfLook &Look = StartEditor();
  const QPoint At = Look.position();
  // The window's rounded corners are cut off; the rest must agree, smoothed
  // edges and all: the same samples fall on every edge.
  const auto DifferingFromTheWindow = [&] {
    const QImage Shown =
        Look.screen()->grabWindow(0, At.x(), At.y(), 800, 600).toImage().convertToFormat(
            QImage::Format_RGB32);
    EXPECT_EQ(Shown.width(), 800);
    int Differing = 0;
    for (int Y = 40; Y < 560 && Y < Shown.height(); ++Y)
      for (int X = 40; X < 760 && X < Shown.width(); ++X) {
        const uint32_t A = Picture.At(X, Y), B = Shown.pixel(X, Y) & 0xFFFFFFu;
        Differing += std::max({std::abs(Red(A) - Red(B)), std::abs(Green(A) - Green(B)),
                               std::abs(Blue(A) - Blue(B))}) > 1;
      }
    return Differing;
  };
  // The window shows the cell grid over the base; the capture never does.
  ASSERT_TRUE(ViewportOverlay.Grid);
  LookRender();
  EXPECT_GT(DifferingFromTheWindow(), 2000);
  ViewportOverlay.Grid = false;
  LookRender();
  EXPECT_EQ(DifferingFromTheWindow(), 0);
  ViewportOverlay.Grid = true;
}

// The program run from the command line with no display at all.
struct TRun {
  int Status;
  std::string Out, Error;
};

TRun RunProgram(const QStringList &Arguments, const std::string &Path = STAVEMONT_PROGRAM) {
  QProcess Program;
  QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
  Environment.remove("DISPLAY");
  Environment.remove("WAYLAND_DISPLAY");
  Program.setProcessEnvironment(Environment);
  Program.start(QString::fromStdString(Path), Arguments);
  EXPECT_TRUE(Program.waitForFinished(60000)) << Arguments.join(' ').toStdString();
  return {Program.exitStatus() == QProcess::NormalExit ? Program.exitCode() : -1,
          Program.readAllStandardOutput().toStdString(),
          Program.readAllStandardError().toStdString()};
}

// A refusal from the command line: status 1 and one line on standard error
// that starts with the file's name and gives the reason.
void ExpectRefused(const QStringList &Arguments, const std::string &Named, const std::string &Reason,
                   const std::string &Path = STAVEMONT_PROGRAM) {
  const TRun Run = RunProgram(Arguments, Path);
  EXPECT_EQ(Run.Status, 1) << Reason;
  EXPECT_EQ(Run.Error.rfind(Named + ": ", 0), 0u) << Run.Error;
  EXPECT_NE(Run.Error.find(Reason), std::string::npos) << Run.Error;
  EXPECT_EQ(std::count(Run.Error.begin(), Run.Error.end(), '\n'), 1) << Run.Error;
}

// Every Marbelo piece, turned each its own way, exported from the command
// line: a file the Khronos glTF validator finds no error in, each drawing
// stored once, every piece a node of its own name; refusals as for --render.
TEST_F(Capture, TheCommandLineExportsAModelOthersRead) {
  NewConstruction(60, 60, 20);
  LoadAllKits();
  for (int K = 0; K < 44; ++K) // every piece in every rotation, each in a square of its own
    Put(uint16_t(K / 4 + 1), K % 7 * 8, K / 7 * 8, 0, K % 4 + 1);
  Put(1, 56, 56, 0, 1); // the same drawing as the first piece's: no second mesh
  // What a printer gets of each drawing is a closed shell facing out.
  for (const TExportMesh &Mesh : ConstructionModel().Meshes) {
    const std::vector<float> Shell = PrintShell(Mesh);
    EXPECT_TRUE(ClosedShells(Shell)) << Mesh.Name;
    EXPECT_GT(SignedVolume(Shell), 0) << Mesh.Name;
  }
  // The second half from a second kit, a copy of Marbelo named Twin, in a
  // program folder of the test's own (the build's Kits hold one kit).
  for (int N = 23; N <= 44; ++N)
    Construction.Pieces[N].Kit = 2;
  Construction.KitCount = 2;
  Construction.KitNames[2] = "Twin";
  const fs::path Program = Folder / "program";
  fs::create_directories(Program / "Kits");
  fs::copy_file(STAVEMONT_PROGRAM, Program / "Stavemont");
  const fs::path Marbelo = fs::path(STAVEMONT_PROGRAM).parent_path() / "Kits/Marbelo.so";
  fs::copy_file(Marbelo, Program / "Kits/Marbelo.so");
  fs::copy_file(Marbelo, Program / "Kits/Twin.so");
  const std::string File = PathOf("all.cns"), Model = PathOf("all.glb");
  std::string Error;
  const bool Written = WriteConstructionFile(File, EncodeConstruction(), Error);
  Construction.KitCount = 1; // the test's own editor has Marbelo alone
  ASSERT_TRUE(Written) << Error;
  TRun Run = RunProgram({"--export", QString::fromStdString(File), QString::fromStdString(Model)},
                        (Program / "Stavemont").string());
  ASSERT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_EQ(Run.Out + Run.Error, "");

  QProcess Validator;
  QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
  Environment.insert("NODE_PATH", GLTF_VALIDATOR_MODULES);
  Validator.setProcessEnvironment(Environment);
  Validator.start("node", {GLTF_VALIDATOR, QString::fromStdString(Model)});
  ASSERT_TRUE(Validator.waitForFinished(60000));
  const std::string Report = Validator.readAllStandardOutput().toStdString();
  EXPECT_EQ(Validator.exitCode(), 0) << Report;
  EXPECT_EQ(Report.rfind("errors 0 ", 0), 0u) << Report;

  // The JSON chunk names the nodes; 45 pieces, 44 drawings and the plate.
  std::ifstream In(Model, std::ios::binary);
  const std::vector<uint8_t> Glb{std::istreambuf_iterator<char>(In), {}};
  ASSERT_GT(Glb.size(), 20u);
  uint32_t JsonLength = 0;
  std::memcpy(&JsonLength, &Glb[12], 4);
  const QJsonObject Json =
      QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char *>(&Glb[20]), int(JsonLength))).object();
  const QJsonArray Nodes = Json["nodes"].toArray();
  ASSERT_EQ(Nodes.size(), 46);
  EXPECT_EQ(Nodes[0].toObject()["name"].toString(), "Base");
  EXPECT_EQ(Nodes[22].toObject()["name"].toString(), "Marbelo 6 #22");
  EXPECT_EQ(Nodes[24].toObject()["name"].toString(), "Twin 6 #24");
  EXPECT_EQ(Nodes[45].toObject()["name"].toString(), "Marbelo 1 #45");
  EXPECT_EQ(Json["meshes"].toArray().size(), 45);
  EXPECT_EQ(Nodes[1].toObject()["mesh"], Nodes[45].toObject()["mesh"]);
  const QJsonArray Images = Json["images"].toArray();
  EXPECT_GT(Images.size(), 0) << "the kit's textures go with the model";
  // Each is a PNG without an alpha channel: the kits' textures are drawn
  // unblended, and an alpha of 0 read back from them made other programs
  // show the pieces see-through.
  const size_t Binary = 20 + JsonLength + 8;
  for (const QJsonValue &Image : Images) {
    const QJsonObject View = Json["bufferViews"].toArray()[Image.toObject()["bufferView"].toInt()].toObject();
    const size_t At = Binary + size_t(View["byteOffset"].toInt());
    ASSERT_LT(At + 26, Glb.size());
    EXPECT_EQ(std::memcmp(&Glb[At + 1], "PNG", 3), 0);
    EXPECT_EQ(Glb[At + 25], 2) << "PNG colour type: RGB";
  }
  // Read back, every node stands where its piece does and its mesh fills
  // the piece's box: metres, y up, a cell 10 mm wide.
  const QJsonArray Accessors = Json["accessors"].toArray(), Meshes = Json["meshes"].toArray();
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    const QJsonObject Node = Nodes[N].toObject();
    const QJsonArray T = Node["translation"].toArray();
    const double Expected[3] = {P.X * 0.01, P.Z * 0.01, -P.Y * 0.01};
    for (int A = 0; A < 3; ++A)
      EXPECT_NEAR(T.isEmpty() ? 0.0 : T[A].toDouble(), Expected[A], 1e-9) << "node " << N;
    double Low[3] = {1e9, 1e9, 1e9}, High[3] = {-1e9, -1e9, -1e9};
    for (const QJsonValue &Primitive : Meshes[Node["mesh"].toInt()].toObject()["primitives"].toArray()) {
      const QJsonObject Position = Accessors[Primitive.toObject()["attributes"].toObject()["POSITION"].toInt()].toObject();
      for (int A = 0; A < 3; ++A) {
        Low[A] = std::min(Low[A], Position["min"].toArray()[A].toDouble());
        High[A] = std::max(High[A], Position["max"].toArray()[A].toDouble());
      }
    }
    const TSize Size = SizeOf(P.Piece);
    const KitApi::TBoxSize Box = KitApi::RotatedBox(P.Rotation, Size.X, Size.Y);
    const double Extent[3] = {Box.X * 0.01, Size.Z * 0.01, Box.Y * 0.01};
    for (int A = 0; A < 3; ++A)
      EXPECT_NEAR(High[A] - Low[A], Extent[A], 2e-4) << "node " << N << ", axis " << A;
  }
  // Metres, y up: piece 45 stands at cell (56, 56, 0), a cell 10 mm wide.
  const QJsonArray At = Nodes[45].toObject()["translation"].toArray();
  ASSERT_EQ(At.size(), 3);
  EXPECT_DOUBLE_EQ(At[0].toDouble(), 0.56);
  EXPECT_DOUBLE_EQ(At[1].toDouble(), 0);
  EXPECT_DOUBLE_EQ(At[2].toDouble(), -0.56);

  // OBJ: one object a piece, its material file and every texture it names
  // beside it; STL: every triangle of every shell, in millimetres.
  Run = RunProgram({"--export", QString::fromStdString(File), QString::fromStdString(PathOf("all.obj"))},
                   (Program / "Stavemont").string());
  ASSERT_EQ(Run.Status, 0) << Run.Error;
  std::ifstream Obj(PathOf("all.obj")), Mtl(PathOf("all.mtl"));
  ASSERT_TRUE(Obj && Mtl);
  int Objects = 0, Textures = 0;
  for (std::string Text; std::getline(Obj, Text);)
    Objects += Text.rfind("o ", 0) == 0;
  for (std::string Text; std::getline(Mtl, Text);)
    if (Text.rfind("map_Kd ", 0) == 0) {
      ++Textures;
      EXPECT_TRUE(fs::is_regular_file(PathOf(Text.substr(7)))) << Text;
    }
  EXPECT_EQ(Objects, 46);
  EXPECT_EQ(Textures, Images.size());
  Run = RunProgram({"--export", QString::fromStdString(File), QString::fromStdString(PathOf("all.stl")),
                    "--cell-mm", "8"},
                   (Program / "Stavemont").string());
  ASSERT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_EQ(fs::file_size(PathOf("all.stl")) % 50, 84u % 50);

  // Refused: one line naming the file, status 1, and nothing left behind.
  const struct {
    QStringList Arguments;
    std::string Named, Reason;
  } Refused[] = {
      {{"--export", QString::fromStdString(PathOf("none.cns")), "x.glb"}, PathOf("none.cns"), "does not exist"},
      {{"--export", QString::fromStdString(File), "x.fbx"}, "x.fbx", "names no model format"},
      {{"--export", QString::fromStdString(File), QString::fromStdString(PathOf("no/x.glb"))},
       PathOf("no/x.glb"), "No such file or directory"},
      {{"--export", QString::fromStdString(File), QString::fromStdString(File)}, File, "construction file itself"}};
  for (const auto &Case : Refused)
    ExpectRefused(Case.Arguments, Case.Named, Case.Reason, (Program / "Stavemont").string());
  EXPECT_FALSE(fs::exists("x.fbx"));
}

// A file saved by the editor, rendered from the command line, is the
// editor's own capture of the same view and size, pixel for pixel; each
// reason to refuse says which file and why, with its status.
TEST_F(Capture, TheCommandLineRendersWhatTheCaptureWrites) {
  LoadAllKits();
  Put(BlueTwo, 3, 4, 0, 1);
  Put(RoofEight, 10, 10, 0, 2);
  Construction.Views[Construction.ViewCount].Tilt = 35;
  ASSERT_TRUE(AddView("Side"));
  Construction.Views[Construction.ViewCount].Turn = 120; // the live camera moves on
  const std::string File = PathOf("two.cns");
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(File, EncodeConstruction(), Error)) << Error;
  const QString Q = QString::fromStdString(File);

  WriteCapture(PathOf("editor.png"));
  TRun Run = RunProgram({"--render", Q, QString::fromStdString(PathOf("line.png"))});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  TPicture Editor = ReadPicture(PathOf("editor.png")), Line = ReadPicture(PathOf("line.png"));
  ASSERT_TRUE(Editor.Read && Line.Read);
  EXPECT_EQ(Line.Width, 800);
  EXPECT_TRUE(Editor.Rgb == Line.Rgb) << "the default render differs from the capture";

  // A saved view, another size and another scene colour.
  ApplyView(1);
  Construction.ViewportWidth = 400;
  Construction.ViewportHeight = 300;
  SetSceneColor(0x00302010);
  WriteCapture(PathOf("editor.png"));
  Run = RunProgram({"--render", Q, QString::fromStdString(PathOf("line.png")), "--size", "400x300",
                    "--view", "Side", "--scene-color", "102030"});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  Editor = ReadPicture(PathOf("editor.png"));
  Line = ReadPicture(PathOf("line.png"));
  ASSERT_TRUE(Editor.Read && Line.Read);
  EXPECT_EQ(Line.Width, 400);
  EXPECT_TRUE(Editor.Rgb == Line.Rgb) << "the render of a view differs from the capture";

  // Refused: one line on standard error naming the file, status 1.
  std::ofstream(PathOf("junk.cns")) << "not a construction";
  Construction.KitNames[1] = "Nope";
  ASSERT_TRUE(WriteConstructionFile(PathOf("nokit.cns"), EncodeConstruction(), Error)) << Error;
  Construction.KitNames[1] = "Marbelo";
  const struct {
    QStringList Arguments;
    std::string Named, Reason;
  } Refused[] = {
      {{"--render", QString::fromStdString(PathOf("none.cns")), "x.png"}, PathOf("none.cns"), "does not exist"},
      {{"--render", QString::fromStdString(PathOf("junk.cns")), "x.png"}, PathOf("junk.cns"), "is not a construction file"},
      {{"--render", QString::fromStdString(PathOf("nokit.cns")), "x.png"}, PathOf("nokit.cns"), "kit \"Nope\" is not in the Kits folder"},
      {{"--render", Q, "x.png", "--view", "Top"}, File, "no saved view named \"Top\""},
      {{"--render", Q, QString::fromStdString(PathOf("no/x.png"))}, PathOf("no/x.png"), "No such file or directory"}};
  for (const auto &Case : Refused)
    ExpectRefused(Case.Arguments, Case.Named, Case.Reason);

  // --check: a line per file, status 1 when any is refused.
  Run = RunProgram({"--check", Q});
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Out, File + ": ok\n");
  Run = RunProgram({"--check", Q, QString::fromStdString(PathOf("nokit.cns")), Q});
  EXPECT_EQ(Run.Status, 1);
  EXPECT_EQ(Run.Out, File + ": ok\n" + PathOf("nokit.cns") + ": its kit \"Nope\" is not in the Kits folder " +
                         fs::path(STAVEMONT_PROGRAM).parent_path().string() + "/Kits.\n" + File + ": ok\n");

  // The version, the usage, and a wrong option.
  Run = RunProgram({"--version"});
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Out.rfind("Stavemont 1.", 0), 0u) << Run.Out;
  Run = RunProgram({"--help"});
  EXPECT_EQ(Run.Status, 0);
  EXPECT_NE(Run.Out.find("--render FILE.cns OUT.png"), std::string::npos);
  Run = RunProgram({"--frobnicate"});
  EXPECT_EQ(Run.Status, 2);
  EXPECT_TRUE(Run.Out.empty());
  EXPECT_NE(Run.Error.find("Usage:"), std::string::npos);
}

// A small house: a first course of bricks with a door, a second course, a
// roof over one end that overhangs the wall, and a tower standing apart.
void PutHouse() {
  for (int X = 0; X < 8; X += 2)
    Put(BlueOne, X, 6, 0, 1);
  Put(Door, 8, 3, 0, 1);
  for (int X = 0; X < 8; X += 2)
    Put(BlueOne, X, 6, 1, 1);
  Put(RoofTwo2, 0, 5, 2, 1);
  for (int Z = 0; Z < 3; ++Z)
    Put(BlueTwo, 14, 12, Z, 1);
}

// The pixels at which two pictures of one size differ.
std::vector<size_t> Differing(const QImage &A, const QImage &B) {
  std::vector<size_t> At;
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X)
      if (A.pixel(X, Y) != B.pixel(X, Y))
        At.push_back(size_t(Y) * A.width() + X);
  return At;
}

int Brightness(QRgb P) { return qRed(P) + qGreen(P) + qBlue(P); }

// Each step's picture shows its new pieces as they are and what earlier
// steps built paler: where the new pieces are drawn (the picture differs
// from one of the earlier pieces alone) it is the plain picture of all of
// them; where an earlier piece is seen it is lighter than plain.
TEST_F(Capture, StepPicturesMarkTheStepsNewPieces) {
  LoadAllKits();
  PutHouse();
  const std::vector<std::vector<int>> Steps = BuildingSteps(3);
  ASSERT_GE(Steps.size(), 5u);
  std::vector<int> Earlier;
  for (const std::vector<int> &Step : Steps) {
    std::vector<int> Built = Earlier;
    Built.insert(Built.end(), Step.begin(), Step.end());
    const QImage Marked = DrawStepPicture(Earlier, Step), Before = DrawStepPicture(Earlier, {}),
                 Plain = DrawStepPicture({}, Built);
    ASSERT_FALSE(Marked.isNull());
    const std::vector<size_t> New = Differing(Marked, Before);
    ASSERT_GT(New.size(), 100u) << "step of piece " << Step.front();
    size_t AsPlain = 0;
    for (size_t P : New)
      AsPlain += Marked.pixel(int(P % 800), int(P / 800)) == Plain.pixel(int(P % 800), int(P / 800));
    // Only edges smoothed against a veiled or a plain background differ.
    EXPECT_GT(AsPlain, New.size() * 9 / 10) << "step of piece " << Step.front();
    if (!Earlier.empty()) {
      size_t Paler = 0, Seen = 0;
      const QImage Base = DrawStepPicture({}, {}), Old = DrawStepPicture({}, Earlier);
      for (size_t P : Differing(Old, Base)) { // where an earlier piece shows
        const int X = int(P % 800), Y = int(P / 800);
        if (Marked.pixel(X, Y) != Before.pixel(X, Y))
          continue; // a new piece stands before it
        ++Seen;
        // At least half the way to white.
        const int Was = Brightness(Old.pixel(X, Y));
        Paler += Brightness(Marked.pixel(X, Y)) - Was >= (765 - Was) / 2 - 3;
      }
      EXPECT_GT(Seen, 100u);
      EXPECT_GT(Paler, Seen * 95 / 100) << "step of piece " << Step.front();
    }
    Earlier = Built;
  }
}

// The parts list from the command line, as CSV to standard output or to a
// file and as an HTML page holding its pictures; the building instructions
// as a PDF of a cover and a page a step, each step's page unlike the one
// before it; refusals as for --render.
TEST_F(Capture, TheCommandLineWritesPartsAndInstructions) {
  LoadAllKits();
  PutHouse();
  const std::string File = PathOf("house.cns");
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(File, EncodeConstruction(), Error)) << Error;
  const QString Q = QString::fromStdString(File);
  const std::string Csv = "kit,piece,size,count\n"
                          "Marbelo,1,2 x 1 x 1,8\n"
                          "Marbelo,2,2 x 2 x 1,3\n"
                          "Marbelo,6,1 x 4 x 6,1\n"
                          "Marbelo,11,2 x 2 x 2,1\n"
                          "total,,,13\n";
  TRun Run = RunProgram({"--parts", Q});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_EQ(Run.Out, Csv);
  EXPECT_EQ(Run.Error, "");
  Run = RunProgram({"--parts", Q, QString::fromStdString(PathOf("parts.csv"))});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  std::ifstream CsvFile(PathOf("parts.csv"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(CsvFile), {}), Csv);

  Run = RunProgram({"--parts", Q, QString::fromStdString(PathOf("parts.html"))});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  std::ifstream HtmlFile(PathOf("parts.html"));
  const std::string Html{std::istreambuf_iterator<char>(HtmlFile), {}};
  const std::string Source = "src=\"data:image/png;base64,";
  std::vector<QImage> Pictures;
  for (size_t At = Html.find(Source); At != std::string::npos; At = Html.find(Source, At + 1)) {
    const size_t From = At + Source.size();
    const QByteArray Png = QByteArray::fromBase64(QByteArray::fromStdString(Html.substr(From, Html.find('"', From) - From)));
    Pictures.push_back(QImage::fromData(Png, "PNG"));
  }
  ASSERT_EQ(Pictures.size(), 4u) << "a picture a row";
  for (size_t R = 0; R < Pictures.size(); ++R) {
    const int Piece = std::vector<int>{1, 2, 6, 11}[R];
    EXPECT_EQ(Pictures[R].size(), QSize(113, 113)) << "piece " << Piece;
    if (R > 0) {
      EXPECT_FALSE(Pictures[R] == Pictures[R - 1]) << "piece " << Piece << " has the picture of the one before";
    }
  }
  EXPECT_EQ(Html.find("http:"), std::string::npos);
  EXPECT_EQ(Html.find("https:"), std::string::npos);
  EXPECT_NE(Html.find("<th colspan=\"4\">Total</th><td>13</td>"), std::string::npos);

  const std::string Pdf = PathOf("house.pdf");
  Run = RunProgram({"--instructions", Q, QString::fromStdString(Pdf), "--step-pieces", "3", "--size", "400x300"});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_EQ(Run.Out + Run.Error, "");
  const size_t Steps = BuildingSteps(3).size();
  QProcess Info;
  Info.start("pdfinfo", {QString::fromStdString(Pdf)});
  ASSERT_TRUE(Info.waitForFinished(60000));
  const std::string Said = Info.readAllStandardOutput().toStdString();
  const size_t PagesAt = Said.find("Pages:");
  ASSERT_NE(PagesAt, std::string::npos) << Said;
  EXPECT_EQ(std::stoul(Said.substr(PagesAt + 6)), Steps + 1) << "a cover and a page a step";
  // Each piece's picture is stored once however many pages show it, and
  // every picture is compressed.
  QProcess Images;
  Images.start("pdfimages", {"-list", QString::fromStdString(Pdf)});
  ASSERT_TRUE(Images.waitForFinished(60000));
  std::set<std::string> PieceObjects;
  int PiecesShown = 0;
  for (const QString &Row : QString(Images.readAllStandardOutput()).split('\n').mid(2)) {
    const QStringList Cells = Row.simplified().split(' ');
    if (Cells.size() < 15)
      continue;
    EXPECT_LT(Cells.last().chopped(1).toDouble(), 50) << "stored " << Row.toStdString();
    if (Cells[3] == "113") {
      ++PiecesShown;
      PieceObjects.insert(Cells[10].toStdString());
    }
  }
  EXPECT_EQ(PieceObjects.size(), 4u);
  EXPECT_GT(PiecesShown, 8);
  QProcess Pages;
  Pages.start("pdftoppm", {"-r", "40", "-png", QString::fromStdString(Pdf), QString::fromStdString(PathOf("page"))});
  ASSERT_TRUE(Pages.waitForFinished(120000));
  std::vector<QImage> Page;
  for (size_t P = 1; P <= Steps + 1; ++P) {
    char Name[32];
    std::snprintf(Name, sizeof Name, "page-%0*zu.png", Steps + 1 >= 10 ? 2 : 1, P);
    Page.push_back(QImage(QString::fromStdString(PathOf(Name))));
    ASSERT_FALSE(Page.back().isNull()) << Name;
  }
  for (size_t P = 2; P < Page.size(); ++P)
    EXPECT_FALSE(Differing(Page[P], Page[P - 1]).empty()) << "page " << P + 1 << " repeats the one before";

  // Refusals: one line, status 1, nothing written.
  ExpectRefused({"--parts", Q, QString::fromStdString(PathOf("parts.txt"))}, PathOf("parts.txt"),
                "names no parts list format");
  ExpectRefused({"--instructions", Q, QString::fromStdString(PathOf("book.png"))}, PathOf("book.png"),
                "written as PDF");
  ExpectRefused({"--instructions", Q, Q}, File, "the construction file itself");
  ExpectRefused({"--instructions", Q, QString::fromStdString(PathOf("b.pdf")), "--view", "Top"}, File,
                "no saved view named \"Top\"");
  ExpectRefused({"--parts", QString::fromStdString(PathOf("none.cns"))}, PathOf("none.cns"), "does not exist");
  EXPECT_FALSE(fs::exists(PathOf("b.pdf")));
  Run = RunProgram({"--instructions", Q, QString::fromStdString(PathOf("b.pdf")), "--step-pieces", "0"});
  EXPECT_EQ(Run.Status, 2);
  EXPECT_NE(Run.Error.find("--step-pieces takes"), std::string::npos);
}

TEST_F(Capture, EdgesAreSmoothedOnlyWhenTheWindowIs) {
  ASSERT_GT(PixelFormats[3].Samples, 0) << "the viewport window is not multisampled here";
  const TBaseRows Base = BaseExtent();
  CaptureTo(PathOf("smooth.png"));
  const int Smoothed = MixedEdgePixels(ReadPicture(PathOf("smooth.png")), Base);

  const int Samples = PixelFormats[3].Samples;
  PixelFormats[3].Samples = 0; // the capture follows the window's format
  CaptureTo(PathOf("plain.png"));
  PixelFormats[3].Samples = Samples;
  const int Plain = MixedEdgePixels(ReadPicture(PathOf("plain.png")), Base);

  const int Rows = Base.Bottom - Base.Top - 19;
  EXPECT_GT(Smoothed, Rows / 4) << "of " << Rows << " rows";
  EXPECT_EQ(Plain, 0);
}

TEST_F(Capture, TheNextLookRenderWritesNothing) {
  CaptureTo(PathOf("once.png"));
  ASSERT_TRUE(fs::exists(PathOf("once.png")));
  EXPECT_TRUE(CaptureFileName.empty());
  fs::remove(PathOf("once.png"));
  LookRender();
  EXPECT_FALSE(fs::exists(PathOf("once.png")));

  // A capture replaces an older file of the same name.
  { std::ofstream(PathOf("old.png")) << "not a picture"; }
  CaptureTo(PathOf("old.png"));
  EXPECT_TRUE(ReadPicture(PathOf("old.png")).Read);
  EXPECT_TRUE(Messages.empty()) << Messages.front();
}

TEST_F(Capture, AFileThatCannotBeWrittenIsReportedAndChangesNothing) {
  { std::ofstream(PathOf("plain")) << "a regular file"; }
  fs::create_directory(Folder / "taken.png");
  const std::string Paths[] = {PathOf("plain/view.png"), PathOf("gone/view.png"),
                               PathOf("taken.png")};
  Construction.Mode = ModeRotate;
  SetScreenCursor(crArrow);
  for (const std::string &Path : Paths) {
    SCOPED_TRACE(Path);
    Messages.clear();
    CaptureTo(Path);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("Capture: Unable to write the capture " + Path + ": ", 0), 0u)
        << Messages[0];
    EXPECT_TRUE(CaptureFileName.empty());
    EXPECT_EQ(Construction.Mode, ModeRotate);
    EXPECT_EQ(ScreenCursor(), crArrow);
  }
  // Nothing was left behind, and what was in the way is still there.
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 2);
  EXPECT_TRUE(fs::is_directory(Folder / "taken.png"));
  EXPECT_TRUE(fs::is_empty(Folder / "taken.png"));
  Construction.Mode = ModeNone;

  // The look render after a failure goes on as ever.
  CaptureTo(PathOf("after.png"));
  EXPECT_TRUE(ReadPicture(PathOf("after.png")).Read);
}

// The main window's Capture command: the dialog it shows, answered by a timer
// once it is open.
class CaptureDialog : public Capture {
protected:
  // Answers the open dialog with Path, or cancels it when Path is empty.
  void Answer(const std::string &Path) {
    QTimer::singleShot(0, [this, Path] {
      auto *Dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      ASSERT_TRUE(Dialog) << "no file dialog is open";
      Title = Dialog->windowTitle().toStdString();
      Filters = Dialog->nameFilters().join(";;").toStdString();
      Suffix = Dialog->defaultSuffix().toStdString();
      Directory = Dialog->directory().absolutePath().toStdString();
      Saving = Dialog->acceptMode() == QFileDialog::AcceptSave;
      Confirms = !Dialog->testOption(QFileDialog::DontConfirmOverwrite);
      QtDialog = Dialog->testOption(QFileDialog::DontUseNativeDialog);
      if (Path.empty()) {
        Dialog->reject();
        return;
      }
      Dialog->selectFile(QString::fromStdString(Path));
      static_cast<QDialog *>(Dialog)->accept();
    });
  }

  std::string Title, Filters, Suffix, Directory;
  bool Saving = false, Confirms = false, QtDialog = false;
};

TEST_F(CaptureDialog, AsksForAPngInTheCapturesFolderAndWritesIt) {
  Answer(PathOf("chosen"));
  ChooseCaptureFile(nullptr);
  EXPECT_EQ(Title, "Capture");
  EXPECT_EQ(Filters, "Png image files (*.png);;All files (*)");
  EXPECT_EQ(Suffix, "png");
  EXPECT_EQ(Directory, fs::path(Construction.ProgramDir + "Captures").lexically_normal().string());
  EXPECT_TRUE(Saving);
  EXPECT_TRUE(Confirms);
  EXPECT_TRUE(QtDialog);
  // The default suffix is added to a name without one.
  EXPECT_TRUE(ReadPicture(PathOf("chosen.png")).Read);
  EXPECT_TRUE(CaptureFileName.empty());

  Answer("");
  ChooseCaptureFile(nullptr);
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1);
  EXPECT_TRUE(Messages.empty()) << Messages.front();
}

} // namespace
