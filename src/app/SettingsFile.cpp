#include "app/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vantrel {

namespace {

constexpr const char* kFileName = "vantrel.ini";

bool ReadBool(QSettings& ini, const char* key, bool fallback) {
  // Any non-zero integer counts as true.
  return ini.value(key, fallback ? 1 : 0).toInt() != 0;
}

}  // namespace

QString SettingsFilePath() { return SettingsFilePathFor(QCoreApplication::applicationDirPath()); }

QString SettingsFilePathFor(const QString& exeDir) {
  const QString explicitPath = qEnvironmentVariable("VANTREL_INI");
  if (!explicitPath.isEmpty()) return explicitPath;
  if (!exeDir.isEmpty()) {
    // A copy carried around keeps its settings beside it. An installed one
    // (under /usr) keeps them per user, or root would write into /usr/bin;
    // a file already put there is still used.
    const QString beside = QDir(exeDir).filePath(kFileName);
    const bool system = exeDir == "/usr" || exeDir.startsWith("/usr/") || exeDir == "/bin" || exeDir == "/sbin";
    if (QFileInfo::exists(beside) || (!system && QFileInfo(exeDir).isWritable())) return beside;
  }
  QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (configHome.isEmpty()) configHome = QDir::home().filePath(".config");
  return QDir(configHome).filePath(QString("vantrel/") + kFileName);
}

bool ReadSettings(const QString& path, TAppSettings& s, const QString& defaultFontName) {
  if (!QFileInfo::exists(path)) return false;
  QSettings ini(path, QSettings::IniFormat);
  ini.beginGroup("Font");
  s.FontName = ini.value("Name", defaultFontName).toString();
  s.FontCharSet = ini.value("CharSet", 1).toInt();
  s.FontColor = static_cast<TColor>(ini.value("Color", static_cast<qlonglong>(clWindowText)).toLongLong());
  s.FontSize = ini.value("Size", 8).toInt();
  ini.endGroup();
  ini.beginGroup("Options");
  s.Maximized = ReadBool(ini, "MAX", false);
  s.Left = ini.value("Lpos", s.Left).toInt();
  s.Top = ini.value("Tpos", s.Top).toInt();
  s.Width = ini.value("Width", s.Width).toInt();
  s.Height = ini.value("Height", s.Height).toInt();
  s.LineNum = ReadBool(ini, "LineNum", false);
  s.CurrentLine = ReadBool(ini, "CurrentLine", true);
  s.WordWrap = ReadBool(ini, "WordWrap", false);
  s.StatusBar = ReadBool(ini, "StatusBar", true);
  s.RightEdge = ReadBool(ini, "RightEdge", true);
  ini.endGroup();
  return true;
}

QString FixedPitchFamily() { return QFontDatabase::systemFont(QFontDatabase::FixedFont).family(); }

QString EditorFontFamily(const QString& storedName) {
  if (storedName.trimmed().isEmpty()) return FixedPitchFamily();
  if (QFontDatabase::hasFamily(storedName)) return storedName;
  // Not installed: the font system substitutes another face. An alias of a
  // fixed-pitch face still fits the cell grid; a fallback to the proportional
  // default would draw every line with wide gaps.
  if (QFontInfo(QFont(storedName)).fixedPitch()) return storedName;
  return FixedPitchFamily();
}

bool WriteSettings(const QString& path, const TAppSettings& s) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSettings ini(path, QSettings::IniFormat);
  ini.beginGroup("Font");
  ini.setValue("Name", s.FontName);
  ini.setValue("CharSet", s.FontCharSet);
  // Colours are written as the signed 32-bit value, as system colours are negative.
  ini.setValue("Color", static_cast<int>(s.FontColor));
  ini.setValue("Size", s.FontSize);
  ini.setValue("Style", s.FontStyle);
  ini.endGroup();
  ini.beginGroup("Options");
  ini.setValue("MAX", s.Maximized ? 1 : 0);
  if (!s.Maximized) {
    ini.setValue("Lpos", s.Left);
    ini.setValue("Tpos", s.Top);
    ini.setValue("Width", s.Width);
    ini.setValue("Height", s.Height);
  }
  ini.setValue("LineNum", s.LineNum ? 1 : 0);
  ini.setValue("CurrentLine", s.CurrentLine ? 1 : 0);
  ini.setValue("WordWrap", s.WordWrap ? 1 : 0);
  ini.setValue("StatusBar", s.StatusBar ? 1 : 0);
  ini.setValue("RightEdge", s.RightEdge ? 1 : 0);
  ini.endGroup();
  ini.sync();
  return ini.status() == QSettings::NoError;
}

}  // namespace vantrel
