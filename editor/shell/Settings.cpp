#include "Settings.h"

#include "DataFolder.h"
#include "model/Global.h"

#include <QSettings>

#include <cmath>
#include <stdexcept>

std::string BackgroundName;

std::string SettingsPath() { return DataDir() + "Stavemont.ini"; }

void ReadSettings() {
  const QSettings Settings(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
  BackgroundName = Settings.value("Background/Bitmap", "none").toString().toStdString();
}

void WriteBackgroundSetting(const std::string &Name) {
  QSettings Settings(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
  Settings.setValue("Background/Bitmap", QString::fromStdString(Name));
  Settings.sync();
  if (Settings.status() != QSettings::NoError)
    throw std::runtime_error("Unable to write to " + SettingsPath());
}

int TileCount(int WindowSize, int PictureSize) {
  return int(std::nearbyint(double(WindowSize) / PictureSize));
}
