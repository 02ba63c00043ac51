// The command line's runs without a display, in a program folder of their
// own whose Kits folder holds Marbelo and kits that crash or hang: checks
// that go on past such kits, outputs that are not plain files, names in any
// encoding, and pictures larger than the memory allowed.
#include "model/Disk.h"
#include "model/Global.h"
#include "PipeReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1; // the exit status, or -1 when a signal ended the program
  std::string Out, Error;
};

// Reads both pipes to their ends.
void Drain(int Out, int Error, TRun &Run) {
  pollfd Fds[2] = {{Out, POLLIN, 0}, {Error, POLLIN, 0}};
  std::string *Into[2] = {&Run.Out, &Run.Error};
  int Open = 2;
  while (Open > 0 && poll(Fds, 2, 120000) > 0)
    for (int I = 0; I < 2; ++I) {
      if (Fds[I].fd < 0 || !(Fds[I].revents & (POLLIN | POLLHUP)))
        continue;
      char Buffer[4096];
      const ssize_t N = read(Fds[I].fd, Buffer, sizeof Buffer);
      if (N > 0) {
        Into[I]->append(Buffer, size_t(N));
      } else {
        close(Fds[I].fd);
        Fds[I].fd = -1;
        --Open;
      }
    }
}

// Runs Program with exactly these argument bytes and no display, its address
// space limited to Limit bytes when given.
TRun RunProgram(const std::string &Program, const std::vector<std::string> &Arguments,
                rlim_t Limit = RLIM_INFINITY) {
  int Out[2], Error[2];
  if (pipe(Out) != 0 || pipe(Error) != 0)
    return {};
  const pid_t Child = fork();
  if (Child == 0) {
    dup2(Out[1], 1);
    dup2(Error[1], 2);
    close(Out[0]), close(Error[0]), close(Out[1]), close(Error[1]);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    if (Limit != RLIM_INFINITY) {
      const rlimit Space{Limit, Limit};
      setrlimit(RLIMIT_AS, &Space);
    }
    std::vector<char *> Argv{const_cast<char *>(Program.c_str())};
    for (const std::string &A : Arguments)
      Argv.push_back(const_cast<char *>(A.c_str()));
    Argv.push_back(nullptr);
    execv(Program.c_str(), Argv.data());
    _exit(127);
  }
  close(Out[1]), close(Error[1]);
  TRun Run;
  Drain(Out[0], Error[0], Run);
  int Status = 0;
  waitpid(Child, &Status, 0);
  Run.Status = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return Run;
}

size_t Lines(const std::string &Text) { return size_t(std::count(Text.begin(), Text.end(), '\n')); }

class CommandLine : public testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/stavemont-line-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Folder = Template;
    // The program finds its kits beside its own file: a link of the built
    // program in a folder of its own (a copy where links cannot be made).
    std::error_code Failed;
    fs::create_hard_link(STAVEMONT_PROGRAM, Folder / "Stavemont", Failed);
    if (Failed)
      fs::copy_file(STAVEMONT_PROGRAM, Folder / "Stavemont");
    Program = (Folder / "Stavemont").string();
    fs::create_directory(Folder / "Kits");
    fs::copy_file(fs::path(STAVEMONT_PROGRAM).parent_path() / "Kits/Marbelo.so",
                  Folder / "Kits/Marbelo.so");
    fs::copy_file(HOSTILE_KITS_DIR "/HostileAborts.so", Folder / "Kits/Crashes.so");
    fs::copy_file(HOSTILE_KITS_DIR "/HostileHangs.so", Folder / "Kits/Hangs.so");
    Good = PathOf("good.cns");
    WriteConstruction(Good, "Marbelo");
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string PathOf(const std::string &Name) const { return (Folder / Name).string(); }

  // A 20 x 20 x 20 construction with one piece of the named kit.
  void WriteConstruction(const std::string &Path, const std::string &Kit) {
    Construction.BaseWidth = Construction.BaseLength = Construction.BaseHeight = 20;
    SetSceneColor(DefaultSceneColor);
    SetBaseColor(DefaultBaseColor);
    Construction.ViewCount = 1;
    Construction.Views[1] = {"", 30, 55, 0, 0, 0};
    Construction.PieceCount = 1;
    Construction.Pieces[1] = {1, 1, 2, 2, 0, 1};
    Construction.KitCount = 1;
    Construction.KitNames[1] = Kit;
    std::string Error;
    ASSERT_TRUE(WriteConstructionFile(Path, EncodeConstruction(), Error)) << Error;
  }

  fs::path Folder;
  std::string Program, Good;
};

// A kit that crashes or never returns costs its own file only: that file's
// line says so, and the files after it are still checked.
TEST_F(CommandLine, CheckGoesOnPastKitsThatCrashOrHang) {
  const std::string Crash = PathOf("crash.cns"), Hang = PathOf("hang.cns");
  WriteConstruction(Crash, "Crashes");
  WriteConstruction(Hang, "Hangs");
  const TRun Run = RunProgram(Program, {"--check", Good, Crash, Hang, Good});
  EXPECT_EQ(Run.Status, 1) << Run.Error;
  const std::string Expected =
      Good + ": ok\n" + Crash +
      ": checking it crashed (signal 6 (Aborted)); a kit it uses may be at fault.\n" + Hang +
      ": checking it did not finish within 30 s and was stopped; a kit it uses may be at fault.\n" +
      Good + ": ok\n";
  EXPECT_EQ(Run.Out, Expected);
}

// Outputs that are not regular files are written into when they are devices
// or pipes, refused otherwise; the construction file is never the output.
TEST_F(CommandLine, RenderOutputsThatAreNotPlainFiles) {
  const std::vector<uint8_t> Before = [&] {
    std::ifstream In(Good, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(In), {});
  }();
  fs::create_symlink(Good, Folder / "link.png");
  fs::create_hard_link(Good, Folder / "second.png");
  for (const std::string &Out : {Good, PathOf("link.png"), PathOf("second.png")}) {
    const TRun Run = RunProgram(Program, {"--render", Good, Out});
    EXPECT_EQ(Run.Status, 1) << Out;
    EXPECT_EQ(Run.Error, Out + ": it is the construction file itself, which the picture would replace.\n");
  }
  std::ifstream In(Good, std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(In), {}), Before);

  // A named pipe gets the picture.
  ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
  TRun Run;
  {
    TPipeReader Reader(PathOf("pipe"), 1 << 24);
    Run = RunProgram(Program, {"--render", Good, PathOf("pipe")});
    const std::vector<uint8_t> &Received = Reader.Received();
    EXPECT_EQ(std::string(Received.begin(), Received.begin() + std::min<size_t>(4, Received.size())),
              "\x89PNG");
  }
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_TRUE(fs::is_fifo(Folder / "pipe"));

  if (getuid() == 0) { // a device of characters made here, never the machine's own
    ASSERT_EQ(mknod(PathOf("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    Run = RunProgram(Program, {"--render", Good, PathOf("null")});
    EXPECT_EQ(Run.Status, 0) << Run.Error;
    EXPECT_TRUE(fs::is_character_file(Folder / "null"));
  }
  const int Socket = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un Address{};
  Address.sun_family = AF_UNIX;
  std::strncpy(Address.sun_path, PathOf("socket").c_str(), sizeof Address.sun_path - 1);
  ASSERT_EQ(bind(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof Address), 0);
  Run = RunProgram(Program, {"--render", Good, PathOf("socket")});
  EXPECT_EQ(Run.Status, 1);
  EXPECT_NE(Run.Error.find("it is a socket, not a file"), std::string::npos) << Run.Error;
  EXPECT_TRUE(fs::is_socket(Folder / "socket"));
  close(Socket);
}

// File names go to the system byte for byte; names printed from a file's own
// bytes (or a file's name) cannot start a line of their own or speak to the
// terminal.
TEST_F(CommandLine, NamesKeepTheirBytesAndPrintEscaped) {
  const std::string Latin = PathOf("caf\xe9.cns");
  fs::copy_file(Good, Latin);
  TRun Run = RunProgram(Program, {"--check", Latin});
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Out, PathOf("caf\\xe9.cns") + ": ok\n");
  Run = RunProgram(Program, {"--render", Latin, PathOf("pic\xef.png")});
  EXPECT_EQ(Run.Status, 0) << Run.Error;
  EXPECT_TRUE(fs::is_regular_file(PathOf("pic\xef.png")));

  const std::string Evil = PathOf("evil.cns");
  WriteConstruction(Evil, "Nope\n" + Good + ": ok\x1b[2K");
  Run = RunProgram(Program, {"--check", Evil});
  EXPECT_EQ(Run.Status, 1);
  EXPECT_EQ(Lines(Run.Out), 1u) << Run.Out;
  EXPECT_NE(Run.Out.find("Nope\\x0a"), std::string::npos) << Run.Out;
  EXPECT_EQ(Run.Out.find('\x1b'), std::string::npos);
  Run = RunProgram(Program, {"--render", Evil, PathOf("x.png")});
  EXPECT_EQ(Lines(Run.Error), 1u) << Run.Error;
}

// A picture larger than the memory the program may use is refused in one
// line, whichever allocation fails first.
TEST_F(CommandLine, PicturesLargerThanMemoryAreOneLine) {
  for (rlim_t Megabytes : {3000, 4000}) {
    SCOPED_TRACE(std::to_string(Megabytes) + " MB");
    for (const char *Mode : {"--render", "--instructions"}) {
      const std::string Out = PathOf(std::string(Mode) == "--render" ? "big.png" : "big.pdf");
      const TRun Run = RunProgram(Program, {Mode, Good, Out, "--size", "8192x8192"}, Megabytes << 20);
      ASSERT_TRUE(Run.Status == 0 || Run.Status == 1) << Mode << " ended by a signal: " << Run.Error;
      if (Run.Status == 1) {
        EXPECT_EQ(Lines(Run.Error), 1u) << Run.Error;
        EXPECT_EQ(Run.Error.rfind(Out + ": ", 0), 0u) << Run.Error;
        EXPECT_FALSE(fs::exists(Out)) << Mode;
      } else if (std::string(Mode) == "--instructions") { // a book without its pictures is no success
        std::ifstream Pdf(Out, std::ios::binary);
        const std::string Bytes{std::istreambuf_iterator<char>(Pdf), {}};
        EXPECT_NE(Bytes.find("/Width 8192"), std::string::npos);
      }
      fs::remove(Out);
    }
  }
}

} // namespace
