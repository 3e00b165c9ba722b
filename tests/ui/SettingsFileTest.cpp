// Settings file: defaults, the maximized rule, and where the file lives.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/SettingsFile.h"

using namespace vantrel;

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void missingFileReadsNothing() {
    QTemporaryDir dir;
    TAppSettings s;
    QVERIFY(!ReadSettings(dir.filePath("none.ini"), s, "Sans"));
    QCOMPARE(s.FontName, QString("Courier New"));
    QCOMPARE(s.FontSize, 10);
    QCOMPARE(s.Left, 556);
    QVERIFY(s.StatusBar && s.RightEdge && s.CurrentLine && !s.LineNum && !s.WordWrap);
  }

  void missingFontKeysFallBackToThePlatformFont() {
    QTemporaryDir dir;
    const QString path = dir.filePath("v.ini");
    {
      QSettings ini(path, QSettings::IniFormat);
      ini.setValue("Options/LineNum", 5);  // any non-zero value is true
    }
    TAppSettings s;
    QVERIFY(ReadSettings(path, s, "Sans"));
    QCOMPARE(s.FontName, QString("Sans"));
    QCOMPARE(s.FontSize, 8);
    QVERIFY(s.LineNum);
    QCOMPARE(s.Width, 640);
  }

  void roundTripAndMaximizedKeepsTheNormalBounds() {
    QTemporaryDir dir;
    const QString path = dir.filePath("v.ini");
    TAppSettings s;
    s.FontName = "Liberation Mono";
    s.FontSize = 13;
    s.Left = 10;
    s.Width = 900;
    s.WordWrap = true;
    s.StatusBar = false;
    QVERIFY(WriteSettings(path, s));
    TAppSettings maximized = s;
    maximized.Maximized = true;
    maximized.Left = 0;
    maximized.Width = 1920;
    QVERIFY(WriteSettings(path, maximized));
    TAppSettings back;
    QVERIFY(ReadSettings(path, back, "Sans"));
    QCOMPARE(back.FontName, QString("Liberation Mono"));
    QCOMPARE(back.FontSize, 13);
    QVERIFY(back.Maximized);
    QCOMPARE(back.Left, 10);
    QCOMPARE(back.Width, 900);
    QVERIFY(back.WordWrap);
    QVERIFY(!back.StatusBar);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("[Font]"));
    QVERIFY(text.contains("[Options]"));
    QVERIFY(text.contains("MAX=1"));
    QVERIFY(text.contains("StatusBar=0"));
  }

  void unwritableLocationFailsQuietly() {
    TAppSettings s;
    QVERIFY(!WriteSettings("/proc/vantrel-cannot-exist/v.ini", s));
  }

  void locationPrefersTheEnvironmentThenTheExecutableDirectory() {
    qputenv("VANTREL_INI", "/tmp/explicit.ini");
    QCOMPARE(SettingsFilePath(), QString("/tmp/explicit.ini"));
    qunsetenv("VANTREL_INI");
    // The test program's directory is writable, as in portable use.
    QCOMPARE(SettingsFilePath(), QCoreApplication::applicationDirPath() + "/vantrel.ini");
  }
};

QTEST_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
