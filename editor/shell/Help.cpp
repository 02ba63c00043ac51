#include "Help.h"

#include "model/Global.h"

#include <QDesktopServices>
#include <QUrl>

std::string HelpPagePath() { return Construction.ProgramDir + "Help/StavemontHelp.html"; }

void OpenHelp() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(HelpPagePath())));
}
