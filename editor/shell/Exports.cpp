#include "Exports.h"

#include "DataFolder.h"
#include "model/Busy.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "model/BuildingSteps.h"
#include "render/Instructions.h"
#include "render/ModelExport.h"
#include "render/PartsFile.h"

#include <QFileDialog>
#include <QProgressDialog>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// "Parts list (*.html *.csv)" -> ".html", ".csv"
std::vector<std::string> ExtensionsOf(const std::string &Filter) {
  std::vector<std::string> Extensions;
  for (size_t Star = Filter.find("*."); Star != std::string::npos; Star = Filter.find("*.", Star + 1))
    Extensions.push_back(Filter.substr(Star + 1, Filter.find_first_of(" )", Star) - Star - 1));
  return Extensions;
}

// The book under a progress dialog that can stop it.
std::string WriteBook(QWidget *Parent, const std::string &Path) {
  QProgressDialog Progress("Making the building instructions...", "Cancel", 0, 1, Parent);
  Progress.setWindowTitle("Export");
  Progress.setWindowModality(Qt::ApplicationModal);
  Progress.setMinimumDuration(500);
  Progress.setAutoReset(false);
  bool Stopped = false;
  const std::string Problem = WriteInstructions(
      Path, DefaultStepPieces,
      [&Progress](int Made, int Pages) {
        Progress.setMaximum(Pages);
        Progress.setLabelText(QString("Making the building instructions: page %1 of %2").arg(Made).arg(Pages));
        Progress.setValue(Made); // a modal dialog takes its input here
        return !Progress.wasCanceled();
      },
      Stopped);
  return Stopped ? std::string() : Problem;
}

// Writes Path in the format its extension names.
std::string WriteExport(QWidget *Parent, const std::string &Path, std::string &Failed) {
  Failed = Path;
  if (IsInstructionsFile(Path))
    return WriteBook(Parent, Path);
  if (IsPartsFile(Path))
    return WritePartsFile(Path);
  return ExportConstruction(Path, 10, Failed);
}

} // namespace

std::string WithFilterExtension(const std::string &Name, const std::string &Filter) {
  const std::vector<std::string> Extensions = ExtensionsOf(Filter);
  const std::string Has = std::filesystem::path(Name).extension().string();
  // A name that already says a format, whichever filter is chosen, keeps it.
  for (const char *Other : ExportFilters) {
    const std::vector<std::string> Its = ExtensionsOf(Other);
    if (std::find(Its.begin(), Its.end(), Has) != Its.end())
      return Name;
  }
  return Extensions.empty() ? Name : Name + Extensions.front();
}

void ChooseExportFile(QWidget *Parent) {
  QStringList Filters;
  for (const char *F : ExportFilters)
    Filters << F;
  // A program folder made before exports existed has no Exports yet.
  const std::string Folder = DataDir() + "Exports/";
  std::error_code Ignored;
  std::filesystem::create_directories(Folder, Ignored);
  QFileDialog Dialog(Parent, "Export", QString::fromStdString(Folder));
  Dialog.setNameFilters(Filters);
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setDefaultSuffix("glb");
  // The suffix a bare name takes follows the filter.
  QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog, [&Dialog](const QString &Filter) {
    const std::vector<std::string> Extensions = ExtensionsOf(Filter.toStdString());
    Dialog.setDefaultSuffix(Extensions.empty() ? QString() : QString::fromStdString(Extensions.front().substr(1)));
  });
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty() ||
      Dialog.selectedFiles().first().isEmpty())
    return;
  const std::string Path =
      WithFilterExtension(Dialog.selectedFiles().first().toStdString(), Dialog.selectedNameFilter().toStdString());
  std::string Failed, Problem;
  {
    const TBusy Busy;
    try {
      Problem = WriteExport(Parent, Path, Failed);
    } catch (const std::bad_alloc &) {
      Problem = "there is not enough memory for it.";
    }
  }
  if (!Problem.empty())
    ShowErrorBox("Unable to export to " + Printable(Failed) + ": " + Problem);
}
