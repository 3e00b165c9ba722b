// Settings file: defaults, the maximized rule, and where the file lives.
#include <QFile>
#include <QFontInfo>
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

  // The editor's family from what the file holds: a proportional fallback
  // would draw every line with gaps on the cell grid.
  void editorFontFamily_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("family");  // empty: the desktop's fixed-pitch font
    QTest::addColumn<int>("size");
    QTest::newRow("no [Font] section") << QByteArray("[Options]\nWordWrap=1\n") << QString() << 8;
    QTest::newRow("empty name") << QByteArray("[Font]\nName=\nSize=12\n") << QString() << 12;
    QTest::newRow("not installed") << QByteArray("[Font]\nName=No Such Font Xyz\nSize=11\n") << QString() << 11;
    QTest::newRow("installed fixed") << QByteArray("[Font]\nName=Liberation Mono\n") << "Liberation Mono" << 8;
    QTest::newRow("alias of a fixed face") << QByteArray("[Font]\nName=Courier New\nSize=10\n") << "Courier New"
                                           << 10;
    QTest::newRow("installed proportional: the user's pick") << QByteArray("[Font]\nName=DejaVu Sans\n")
                                                             << "DejaVu Sans" << 8;
  }

  void editorFontFamily() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, family);
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath("v.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini);
    file.close();
    TAppSettings s;
    QVERIFY(ReadSettings(path, s, FixedPitchFamily()));
    const QString chosen = EditorFontFamily(s.FontName);
    QCOMPARE(s.FontSize, size);
    if (family.isEmpty()) {
      QCOMPARE(chosen, FixedPitchFamily());
      QVERIFY(QFontInfo(QFont(chosen)).fixedPitch());
    } else {
      QCOMPARE(chosen, family);
    }
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
    // An installed program writes per user even where it could write beside
    // itself (root and /usr/bin).
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-config");
    QCOMPARE(SettingsFilePathFor("/usr/bin"), QString("/tmp/xdg-config/vantrel/vantrel.ini"));
    qunsetenv("XDG_CONFIG_HOME");
  }
};

QTEST_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
