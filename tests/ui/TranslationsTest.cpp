// The language choice, the English translation's completeness, and the
// English dialogs and menus at their stored geometry.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/AboutForm.h"
#include "app/AsciiForm.h"
#include "app/BaseConvForm.h"
#include "app/CommandLineForm.h"
#include "app/GotoLineForm.h"
#include "app/MainForm.h"
#include "app/TextReplaceDialog.h"
#include "app/TextSearchDialog.h"
#include "app/UiLanguage.h"

using namespace vantrel;

namespace {

const QString kTsFile = QStringLiteral(VANTREL_SOURCE_DIR "/translations/vantrel_en.ts");
const QRegularExpression kHan(QStringLiteral("\\p{Han}"));

struct TTsMessage {
  QString Context, Source, Translation, Type;
};

QList<TTsMessage> ReadTs() {
  QFile file(kTsFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QList<TTsMessage> messages;
  QXmlStreamReader xml(&file);
  QString context;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    if (xml.name() == u"message") messages.append({context, {}, {}, {}});
    if (xml.name() == u"source" && !messages.isEmpty()) messages.last().Source = xml.readElementText();
    if (xml.name() == u"translation" && !messages.isEmpty()) {
      messages.last().Type = xml.attributes().value("type").toString();
      messages.last().Translation = xml.readElementText();
    }
  }
  if (xml.hasError()) qWarning() << kTsFile << xml.errorString();
  return messages;
}

// Installs the English translation the program embeds for the life of the object.
struct TEnglish {
  QTranslator translator;
  bool Loaded = translator.load(QStringLiteral(VANTREL_QM_FILE)) && QCoreApplication::installTranslator(&translator);
  ~TEnglish() { QCoreApplication::removeTranslator(&translator); }
};

}  // namespace

class TranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void LanguageChoice() {
    struct TRow {
      const char* Name;
      TLanguageEnvironment Environment;
      bool English;
    };
    const TRow rows[] = {
        {"override en beats LANG=C", {"en", "", "", "C", "C"}, true},
        {"override zh beats an English locale", {"zh", "", "", "en_US.UTF-8", "en-US"}, false},
        {"unknown override is ignored", {"fr", "", "", "en_US.UTF-8", "en-US"}, true},
        {"LANG=C", {"", "", "", "C", "C"}, false},
        {"LANG=C.UTF-8", {"", "", "", "C.UTF-8", "en-US"}, false},
        {"LANG=POSIX", {"", "", "", "POSIX", "C"}, false},
        {"LC_ALL=C beats LANG", {"", "C", "", "en_US.UTF-8", "en-US"}, false},
        {"LC_ALL beats LANG=C", {"", "en_US.UTF-8", "", "C", "en-US"}, true},
        {"LC_MESSAGES=C beats LANG", {"", "", "C", "en_US.UTF-8", "en-US"}, false},
        {"nothing set is the C locale", {"", "", "", "", "en-US"}, false},
        {"en_US", {"", "", "", "en_US.UTF-8", "en-US"}, true},
        {"zh_CN", {"", "", "", "zh_CN.UTF-8", "zh-CN"}, false},
        {"zh_TW", {"", "", "", "zh_TW.UTF-8", "zh-Hant-TW"}, false},
        {"de_DE", {"", "", "", "de_DE.UTF-8", "de-DE"}, true},
    };
    for (const TRow& row : rows) QVERIFY2(UseEnglishCaptions(row.Environment) == row.English, row.Name);
  }

  void EveryEntryIsTranslated() {
    const QList<TTsMessage> messages = ReadTs();
    QVERIFY2(!messages.isEmpty(), qPrintable(kTsFile));
    QSet<QString> seen;
    for (const TTsMessage& m : messages) {
      const QString where = m.Context + " " + m.Source;
      QVERIFY2(m.Type.isEmpty(), qPrintable(where + " is " + m.Type));
      QVERIFY2(!m.Translation.isEmpty(), qPrintable(where + " has no translation"));
      QVERIFY2(!m.Translation.contains(kHan), qPrintable(where + " is not English"));
      // A caption with a mnemonic keeps one, and only one.
      QCOMPARE(m.Translation.count('&'), m.Source.count('&'));
      QVERIFY2(!seen.contains(where), qPrintable(where + " twice"));
      seen.insert(where);
    }
  }

  // A Chinese caption added to a form without an entry would show untranslated.
  void EveryChineseLiteralHasAnEntry() {
    QSet<QString> sources;
    for (const TTsMessage& m : ReadTs()) sources.insert(m.Source);
    const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    const QDir app(VANTREL_SOURCE_DIR "/src/app");
    int chinese = 0;
    for (const QString& name : app.entryList({"*.cpp"}, QDir::Files)) {
      QFile file(app.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString code = QString::fromUtf8(file.readAll());
      for (auto it = literal.globalMatch(code); it.hasNext();) {
        const QString text = it.next().captured(1);
        if (!text.contains(kHan)) continue;
        ++chinese;
        QVERIFY2(sources.contains(text), qPrintable(name + ": \"" + text + "\" has no English translation"));
      }
    }
    QVERIFY(chinese > 60);  // the scan found the captions at all
  }

  void EnglishDialogsFitTheirCaptions() {
    TEnglish english;
    QVERIFY(english.Loaded);
    const std::function<QDialog*()> dialogs[] = {
        [] { return new TForm2; },        [] { return new TForm3; },     [] { return new TForm7; },
        [] { return new Tasciiform; },    [] { return new Tbaseconv; },  [] { return new TTextSearchDialog; },
        [] { return new TTextReplaceDialog; },
    };
    for (const auto& make : dialogs) {
      std::unique_ptr<QDialog> dialog(make());
      dialog->show();
      const QString name = dialog->objectName();
      QVERIFY2(!dialog->windowTitle().contains(kHan), qPrintable(name + ": " + dialog->windowTitle()));
      for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        const QString where = name + "." + button->objectName() + " \"" + button->text() + "\"";
        QVERIFY2(!button->text().contains(kHan), qPrintable(where));
        // A push button's size hint has a style minimum wider than some stored buttons.
        const int needed = qobject_cast<const QPushButton*>(button)
                               ? button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 8
                               : button->sizeHint().width();
        QVERIFY2(needed <= button->width(), qPrintable(where + " is cut off"));
      }
      for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        const QString where = name + "." + label->objectName() + " \"" + label->text() + "\"";
        QVERIFY2(!label->text().contains(kHan), qPrintable(where));
        if (label->buddy())
          QVERIFY2(label->x() + label->sizeHint().width() <= label->buddy()->x(), qPrintable(where + " runs into its field"));
      }
    }
  }

  // Alt+letter opens a menu or runs an item only while its letter is unique.
  void EnglishMenusKeepUniqueMnemonicsAndShortcuts() {
    TEnglish english;
    QVERIFY(english.Loaded);
    QTemporaryDir dir;
    TForm1 form({}, dir.filePath("vantrel.ini"));
    auto mnemonicsOf = [](const QList<QAction*>& actions, const QString& where) {
      QSet<QChar> letters;
      for (const QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QString text = action->text();
        QVERIFY2(!text.contains(kHan), qPrintable(where + ": " + text));
        const qsizetype amp = text.indexOf('&');
        if (amp < 0 || amp + 1 >= text.size()) continue;
        const QChar letter = text.at(amp + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(where + ": " + text + " repeats &" + letter));
        letters.insert(letter);
      }
    };
    mnemonicsOf(form.menuBar()->actions(), "menu bar");
    for (QAction* top : form.menuBar()->actions()) mnemonicsOf(top->menu()->actions(), top->text());
    QCOMPARE(form.menuBar()->actions().front()->text(), QString("&File"));
    const QAction* newItem = form.findChild<QAction*>("New1");
    QVERIFY(newItem);
    QCOMPARE(newItem->text(), QString("&New"));
    QCOMPARE(newItem->shortcut(), QKeySequence("Ctrl+N"));
  }

  void ChineseCaptionsWithoutTheTranslation() {
    TForm2 form;
    QCOMPARE(form.windowTitle(), QString::fromUtf8("跳转行号:"));
  }
};

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
