#include "Captures.h"

#include "DataFolder.h"
#include "model/Global.h"
#include "render/Capture.h"

#include <QFileDialog>

void ChooseCaptureFile(QWidget *Parent) {
  QFileDialog Dialog(Parent, "Capture",
                     QString::fromStdString(DataDir() + "Captures/"),
                     "Png image files (*.png);;All files (*)");
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setDefaultSuffix("png");
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty() ||
      Dialog.selectedFiles().first().isEmpty())
    return;
  CaptureTo(Dialog.selectedFiles().first().toStdString());
}
