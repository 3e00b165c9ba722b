// Command-line parsing: files, options, and the end-of-options marker.
#include <QtTest>

#include "app/CommandLine.h"

using namespace vantrel;

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void parses_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<bool>("error");
    QTest::newRow("files in order") << QStringList{"a.cpp", "b", "c.txt"} << QStringList{"a.cpp", "b", "c.txt"}
                                    << false << false << false;
    QTest::newRow("help") << QStringList{"--help"} << QStringList{} << true << false << false;
    QTest::newRow("version short") << QStringList{"-v"} << QStringList{} << false << true << false;
    QTest::newRow("dash dash") << QStringList{"--", "--help", "-x"} << QStringList{"--help", "-x"} << false << false
                               << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate", "f"} << QStringList{"f"} << false << false << true;
    QTest::newRow("lone dash is a file") << QStringList{"-"} << QStringList{"-"} << false << false << false;
  }

  void parses() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, files);
    QFETCH(bool, help);
    QFETCH(bool, version);
    QFETCH(bool, error);
    std::vector<std::string> storage{"vantrel"};
    for (const QString& a : args) storage.push_back(a.toStdString());
    std::vector<const char*> argv;
    for (const auto& s : storage) argv.push_back(s.c_str());
    TCommandLine parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    QStringList got;
    for (const auto& f : parsed.Files) got << QString::fromStdString(f);
    QCOMPARE(got, files);
    QCOMPARE(parsed.ShowHelp, help);
    QCOMPARE(parsed.ShowVersion, version);
    QCOMPARE(!parsed.Error.empty(), error);
  }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
