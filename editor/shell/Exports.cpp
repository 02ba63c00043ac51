#include "Exports.h"

#include "DataFolder.h"
#include "model/Busy.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "render/ModelExport.h"

#include <QFileDialog>

#include <filesystem>

namespace {

// "glTF binary (*.glb)" -> ".glb"
std::string ExtensionOf(const std::string &Filter) {
  const size_t Star = Filter.find("*.");
  return Star == std::string::npos ? std::string() : Filter.substr(Star + 1, Filter.find(')', Star) - Star - 1);
}

} // namespace

std::string WithFilterExtension(const std::string &Name, const std::string &Filter) {
  const std::string Extension = ExtensionOf(Filter);
  if (Extension.empty() || std::filesystem::path(Name).extension() == Extension)
    return Name;
  return Name + Extension;
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
    Dialog.setDefaultSuffix(QString::fromStdString(ExtensionOf(Filter.toStdString()).substr(1)));
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
      Problem = ExportConstruction(Path, 10, Failed);
    } catch (const std::bad_alloc &) {
      Problem = "there is not enough memory for it.";
    }
  }
  if (!Problem.empty())
    ShowErrorBox("Unable to export to " + Printable(Failed) + ": " + Problem);
}
