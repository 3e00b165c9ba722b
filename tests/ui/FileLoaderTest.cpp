// Reading a document's file off the interface thread.
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/FileLoader.h"
#include "text/CodeEditTextBuffer.h"
#include "text/FileAccess.h"

using namespace vantrel;

class FileLoaderTest : public QObject {
  Q_OBJECT

 private slots:
  void readsEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("breaks");
    QTest::newRow("empty") << QByteArray() << qint64(0);
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << qint64(4);
    QTest::newRow("NUL and high bytes") << QByteArray("a\0\xff\n", 4) << qint64(1);
    // Larger than one read chunk, so the loop and the growth run.
    QTest::newRow("9 MB") << QByteArray(9 << 20, 'x').append('\r') << qint64(1);
  }
  void readsEveryByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, breaks);
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    TReadProgress progress;
    std::string data;
    int64_t lineBreaks = -1;
    QVERIFY(ReadFileCancellable(path.toStdString(), data, lineBreaks, progress));
    QCOMPARE(QByteArray::fromStdString(data), bytes);
    QCOMPARE(qint64(lineBreaks), breaks);
    QCOMPARE(qint64(progress.Done), qint64(bytes.size()));
  }

  void cancelStopsTheRead() {
    QTemporaryDir dir;
    QFile file(dir.filePath("f"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    TReadProgress progress;
    progress.Cancel = true;
    std::string data;
    int64_t breaks = 0;
    QVERIFY(!ReadFileCancellable(file.fileName().toStdString(), data, breaks, progress));
  }

  void failuresNameTheFileAndTheReason_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << "No such file or directory";
    QTest::newRow("directory") << "" << "Is a directory";
    // Neither may block the reader or read without end.
    QTest::newRow("FIFO without a writer") << "fifo" << "not a regular file (a FIFO)";
    QTest::newRow("endless device") << "/dev/zero" << "not a regular file (a character device)";
  }
  void failuresNameTheFileAndTheReason() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const std::string path = (name.startsWith('/') ? name : dir.path() + "/" + name).toStdString();
    if (name == "fifo") QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    TCodeEditStringList lines;
    lines.Add("kept");
    try {
      LoadLinesWithProgress(lines, path, 0);
      QFAIL("no error");
    } catch (const EFileError& error) {
      const QString message = QString::fromLocal8Bit(error.what());
      QVERIFY2(message.contains(QString::fromStdString(path)) && message.contains(reason), qPrintable(message));
    }
    QCOMPARE(lines.Count(), 1);
    QCOMPARE(lines.GetString(0), std::string("kept"));
  }

  void loadKeepsTheLineBreakStyle_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("LF") << QByteArray("one\ntwo\n");
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n");
    QTest::newRow("CR") << QByteArray("one\rtwo\r");
  }
  void loadKeepsTheLineBreakStyle() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile file(dir.filePath("f"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    TCodeEditStringList lines;
    lines.Add("old");
    QVERIFY(LoadLinesWithProgress(lines, file.fileName().toStdString()));
    QCOMPARE(lines.GetString(1), std::string("two"));
    QCOMPARE(QByteArray::fromStdString(lines.SaveToBytes()), bytes);
  }
};

QTEST_MAIN(FileLoaderTest)
#include "FileLoaderTest.moc"
