#include "Settings.h"

#include "DataFolder.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "render/Overlay.h"

#include <QSettings>

#include <cmath>
#include <stdexcept>

std::string BackgroundName;

std::string SettingsPath() { return DataDir() + "Stavemont.ini"; }

std::string BackgroundPath(const std::string &Name) { return DataDir() + "Backgrounds/" + Name; }

namespace {

// QSettings opens the file with a plain, blocking open: a named pipe or a
// device in its place would stop the program for as long as nobody writes to
// it. Anything there that is not a regular file is left alone.
bool SomethingElseIsThere(const std::string &Path) {
  return PathExists(Path) && !IsRegularFile(Path);
}

} // namespace

void ReadSettings() {
  const std::string Path = SettingsPath();
  if (SomethingElseIsThere(Path)) {
    BackgroundName = "none";
    ShowErrorBox("The settings file " + Path + " is not a regular file; it is not read.");
    return;
  }
  const QSettings Settings(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
  BackgroundName = Settings.value("Background/Bitmap", "none").toString().toStdString();
  ViewportOverlay.Grid = Settings.value("View/Grid", true).toBool();
}

namespace {

void WriteSetting(const char *Key, const QVariant &Value) {
  if (SomethingElseIsThere(SettingsPath()))
    throw std::runtime_error("Unable to write to " + SettingsPath());
  QSettings Settings(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
  Settings.setValue(Key, Value);
  Settings.sync();
  if (Settings.status() != QSettings::NoError)
    throw std::runtime_error("Unable to write to " + SettingsPath());
}

} // namespace

void WriteBackgroundSetting(const std::string &Name) {
  WriteSetting("Background/Bitmap", QString::fromStdString(Name));
}

void WriteGridSetting(bool Shown) { WriteSetting("View/Grid", Shown); }

int TileCount(int WindowSize, int PictureSize) {
  return int(std::nearbyint(double(WindowSize) / PictureSize));
}
