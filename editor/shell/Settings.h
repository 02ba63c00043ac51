// The settings file in the data folder (beside the program, or the user's own
// data folder for an installed program): it holds only the name of the main
// window's background picture and whether the viewport shows the cell grid.
#pragma once

#include <string>

extern std::string BackgroundName;

std::string SettingsPath();

// The background picture of this name in the data folder's Backgrounds.
std::string BackgroundPath(const std::string &Name);

// BackgroundName := the "Background"/"Bitmap" entry, or "none"; the
// viewport's grid as the "View"/"Grid" entry says (shown when there is none).
void ReadSettings();

// Writes Name as the "Background"/"Bitmap" entry; throws
// std::runtime_error("Unable to write to <path>") when the file cannot be written.
void WriteBackgroundSetting(const std::string &Name);
// Writes Shown as the "View"/"Grid" entry; throws as WriteBackgroundSetting.
void WriteGridSetting(bool Shown);

// How many whole tiles of PictureSize fit WindowSize, to the nearest integer
// (halves to even). Tiles are drawn from 0 to this count inclusive.
int TileCount(int WindowSize, int PictureSize);
