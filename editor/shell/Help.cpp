#include "Help.h"

#include "model/Global.h"
#include "platform/Messages.h"

#include <QDesktopServices>
#include <QUrl>

std::string HelpPagePath() { return Construction.ProgramDir + "Help/StavemontHelp.html"; }

void OpenHelp() {
  const std::string Page = HelpPagePath();
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(Page))))
    ShowMessage("No program could open the help page. Open it in a web browser: " + Page, "Help");
}
