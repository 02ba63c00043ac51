// The help page beside the program: describing every command of the
// Construction menu, and opened by the Help command as a local file.
#include "model/Global.h"
#include "platform/Messages.h"
#include "shell/Help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string ReadText(const std::string &Path) {
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

class Help : public testing::Test {
protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "HelpTest";
    static char *Argv[] = {Name, nullptr};
    static QApplication App(Argc, Argv);
  }

  void SetUp() override { Construction.ProgramDir = STAVEMONT_BUILD_DIR "/"; }

  const std::string Page = STAVEMONT_BUILD_DIR "/Help/StavemontHelp.html";
};

TEST_F(Help, TheMenuSectionDescribesEveryCommand) {
  const std::string Text = ReadText(Page);
  const size_t Start = Text.find("id=\"menu\"");
  ASSERT_NE(Start, std::string::npos);
  const std::string Menu = Text.substr(Start, Text.find("<h2", Start) - Start);
  for (const char *Command :
       {"Rotate", "Move", "Zoom", "Size", "Insert", "Extract", "Maximize", "Re-center", "Color",
        "Base", "Background", "Save", "Save as...", "Capture", "Help", "Close", "Undo", "Redo"})
    EXPECT_NE(Menu.find(std::string("<tr><td><strong>") + Command + "</strong></td>"),
              std::string::npos)
        << Command;
  // Every key is listed.
  for (const char *Key : {"Ctrl+Z", "Ctrl+Shift+Z, Ctrl+Y", "Ctrl+S", "Ctrl+Shift+S", "Esc"})
    EXPECT_NE(Menu.find(std::string("<tr><td>") + Key + "</td>"), std::string::npos) << Key;
}

TEST_F(Help, OpenHelpOpensThePageAsALocalFileOrSaysWhereItIs) {
  std::vector<std::pair<std::string, std::string>> Shown;
  const TMessageSink Old = SetMessageSink([&Shown](const std::string &Text, const std::string &Title) {
    Shown.emplace_back(Text, Title);
  });
  QTextBrowser Browser; // stands in for the desktop's browser
  QDesktopServices::setUrlHandler("file", &Browser, "setSource");
  OpenHelp();
  EXPECT_EQ(Browser.source(), QUrl::fromLocalFile(QString::fromStdString(Page)));
  EXPECT_TRUE(Browser.toPlainText().contains("Stavemont Help"));
  EXPECT_TRUE(Shown.empty());

  // A handler that cannot take the page stands in for a desktop without a browser.
  QDesktopServices::setUrlHandler("file", &Browser, "noSuchSlot");
  OpenHelp();
  QDesktopServices::unsetUrlHandler("file");
  SetMessageSink(Old);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_NE(Shown[0].first.find(Page), std::string::npos) << Shown[0].first;
  EXPECT_EQ(Shown[0].second, "Help");
}

} // namespace
