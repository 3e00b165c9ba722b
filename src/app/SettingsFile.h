// The settings file vantrel.ini: where it lives, and reading and writing the
// values the main window keeps in it.
// Tested by tests/ui/SettingsFileTest.cpp
#pragma once

#include <QString>

#include "platform/Graphics.h"

namespace vantrel {

struct TAppSettings {
  QString FontName = "Courier New";
  int FontCharSet = 1;
  TColor FontColor = clWindowText;
  int FontSize = 10;
  int FontStyle = 0;
  bool Maximized = false;
  int Left = 556;
  int Top = 196;
  int Width = 640;
  int Height = 501;
  bool LineNum = false;
  bool CurrentLine = true;
  bool WordWrap = false;
  bool StatusBar = true;
  bool RightEdge = true;
};

// VANTREL_INI when set; else vantrel.ini beside the executable when it is
// there already, or when that directory is writable and not under /usr
// (portable use); else $XDG_CONFIG_HOME/vantrel/vantrel.ini.
QString SettingsFilePath();
// The same for an executable in exeDir.
QString SettingsFilePathFor(const QString& exeDir);

// Reads the file over `settings`. A missing file reads nothing and returns
// false; a missing key leaves its value, except the font keys, which fall back
// to the platform's default font (name, size 8) as a fresh font object has.
bool ReadSettings(const QString& path, TAppSettings& settings, const QString& defaultFontName);

// The desktop's fixed-pitch font family.
QString FixedPitchFamily();

// The family the editor is given for a stored font name: the name itself when
// the font is installed or stands for a fixed-pitch face (as Courier New does
// for Liberation Mono); the desktop's fixed-pitch font when the name is empty
// or would fall back to a proportional face.
QString EditorFontFamily(const QString& storedName);

// Writes every key; when maximized only MAX=1 of the position group, so the
// normal bounds stay for the next start. Never throws; false on failure.
bool WriteSettings(const QString& path, const TAppSettings& settings);

}  // namespace vantrel
