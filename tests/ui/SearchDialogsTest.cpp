// The search and replace dialogs (layout, histories) and the main window's
// Search menu driven through scripted dialogs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/MainForm.h"
#include "app/TextReplaceDialog.h"
#include "app/TextSearchDialog.h"

using namespace vantrel;

namespace {

struct TSearchForm {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  QStringList errors;
  int dialogs = 0;
  // Fills the dialog as a person would; returns the OK/Cancel answer.
  std::function<bool(TTextSearchDialog&)> answer = [](TTextSearchDialog&) { return false; };

  explicit TSearchForm(const std::string& text) {
    form = std::make_unique<TForm1>(QStringList{}, dir.filePath("vantrel.ini"));
    form->ShowError = [this](const QString& message) { errors << message; };
    form->ExecSearchDialog = [this](QDialog& dialog) {
      ++dialogs;
      auto& search = dynamic_cast<TTextSearchDialog&>(dialog);
      if (!answer(search)) return false;
      search.accept();  // runs FormCloseQuery as the OK button does
      return true;
    };
    form->FormShow();
    form->CurrentEditor->SetText(text);
  }
  TForm1* operator->() { return form.get(); }
  TCodeEdit& Editor() { return *form->CurrentEditor; }
  void Trigger(const char* item) { form->Item(item)->trigger(); }
};

std::function<bool(TTextSearchDialog&)> Enter(const QString& search, bool regex = false,
                                              const QString& replace = {}) {
  return [=](TTextSearchDialog& d) {
    d.SetSearchText(search);
    d.cbRegularExpression->setChecked(regex);
    if (auto* r = dynamic_cast<TTextReplaceDialog*>(&d)) r->SetReplaceText(replace);
    return true;
  };
}

}  // namespace

class SearchDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogsHaveTheirLayout() {
    TTextSearchDialog search;
    QCOMPARE(search.windowTitle(), QString::fromUtf8("搜索文本"));
    QCOMPARE(search.size(), QSize(332, 180));
    QCOMPARE(search.cbSearchText->geometry().topLeft(), QPoint(96, 8));
    QCOMPARE(search.gbSearchOptions->geometry(), QRect(8, 40, 154, 127));
    QCOMPARE(search.rgSearchDirection->geometry(), QRect(170, 40, 154, 65));
    QVERIFY(search.btnOK->isDefault());
    QVERIFY(!search.Backwards());
    TTextReplaceDialog replace;
    QCOMPARE(replace.windowTitle(), QString::fromUtf8("替换文本"));
    QCOMPARE(replace.size(), QSize(332, 210));
    QCOMPARE(replace.gbSearchOptions->y(), 70);
    QCOMPARE(replace.rgSearchDirection->y(), 70);
    QCOMPARE(replace.btnOK->y(), 179);
    QCOMPARE(replace.cbReplaceText->geometry().topLeft(), QPoint(96, 37));
    QCOMPARE(replace.Label2->text(), QString::fromUtf8("替换为:"));
  }

  void historiesKeepTenEntriesAndFoldCase() {
    TTextReplaceDialog d;
    QStringList twelve;
    for (int i = 0; i < 12; ++i) twelve << QString("e%1").arg(i);
    d.SetSearchHistory(twelve.join("\r\n"));
    QCOMPARE(d.cbSearchText->count(), 12);
    QCOMPARE(d.SearchHistory(), twelve.mid(0, 10).join("\r\n"));
    d.SetSearchText("E3");
    d.SetReplaceText("");
    d.accept();
    QCOMPARE(d.cbSearchText->itemText(0), QString("E3"));
    QCOMPARE(d.cbSearchText->count(), 12);  // e3 gave way to E3
    QCOMPARE(d.SearchText(), QString("E3"));
    QCOMPARE(d.cbReplaceText->count(), 0);  // empty texts are not added
  }

  void findsAgainAndBackwards() {
    TSearchForm t("one two\ntwo three two");
    t.answer = Enter("two");
    t.Trigger("Search1");
    QCOMPARE(t.Editor().AnchorStart(), (TBufferCoord{5, 1}));
    QCOMPARE(t.Editor().AnchorEnd(), (TBufferCoord{8, 1}));
    t.Trigger("SearchAgain1");
    QCOMPARE(t.Editor().AnchorStart(), (TBufferCoord{1, 2}));
    t.Trigger("SearchAgain1");
    QCOMPARE(t.Editor().AnchorStart(), (TBufferCoord{11, 2}));
    // Backwards from the end of a hit takes that hit, its caret at the start.
    t.Trigger("SearchBackwards1");
    QCOMPARE(t.Editor().AnchorStart(), (TBufferCoord{11, 2}));
    QCOMPARE(t.Editor().CaretPos(), (TBufferCoord{11, 2}));
    t.Trigger("SearchBackwards1");
    QCOMPARE(t.Editor().AnchorStart(), (TBufferCoord{1, 2}));
    QCOMPARE(t.dialogs, 1);
    QVERIFY(t.errors.isEmpty());
  }

  void notFoundIsReportedAndCollapsesTheSelection() {
    TSearchForm t("abc abc");
    t.answer = Enter("abc");
    t.Trigger("Search1");
    t.Trigger("SearchAgain1");
    t.Trigger("SearchAgain1");
    QCOMPARE(t->StatusPanelText(1), QString("\"abc\" not found."));
    QVERIFY(!t.Editor().HasSelection());
    QCOMPARE(t.Editor().CaretPos(), (TBufferCoord{8, 1}));
    t->ShowStatusBar1Click();  // hidden: the overlay shows the notice
    t.Trigger("SearchAgain1");
    QVERIFY(!t->Panel1->isHidden());
    QCOMPARE(t->Label1->text(), QString("\"abc\" not found."));
  }

  void dialogOpensWithTheSelectionAndRegexOff() {
    TSearchForm t("alpha beta");
    t.answer = Enter("beta", true);
    t.Trigger("Search1");
    QString opened;
    bool regexChecked = true;
    t.answer = [&](TTextSearchDialog& d) {
      opened = d.SearchText();
      regexChecked = d.RegularExpression();
      return false;
    };
    t.Trigger("Search1");
    QCOMPARE(opened, QString("beta"));
    QVERIFY(!regexChecked);
    QCOMPARE(t->SearchSettings.SearchText, QString("beta"));  // Cancel stores nothing
  }

  void replaceAllIsOneUndoStep() {
    TSearchForm t("k1=v1\nk2=v2");
    t.answer = Enter("(\\w+)=(\\w+)", true, "$2=$1");
    t.Trigger("Replace1");
    QCOMPARE(QString::fromStdString(t.Editor().Text()), QString("v1=k1\r\nv2=k2"));
    t.Editor().Undo();
    QCOMPARE(QString::fromStdString(t.Editor().Text()), QString("k1=v1\r\nk2=v2"));
  }

  void replaceOnReadOnlyDoesNothing() {
    TSearchForm t("abc");
    t.Editor().SetReadOnly(true);
    t.answer = Enter("a", false, "b");
    t.Trigger("Replace1");
    QCOMPARE(t.dialogs, 0);
  }

  void searchAgainWithoutTextOpensTheDialog() {
    TSearchForm t("abc");
    t.Trigger("SearchAgain1");
    QCOMPARE(t.dialogs, 1);
    t.Trigger("SearchBackwards1");  // no text: an empty pair of quotes
    QCOMPARE(t->StatusPanelText(1), QString("\"\" not found."));
  }

  void engineErrorsAreShownNotReportedAsNotFound() {
    TSearchForm t("aaa");
    t.answer = Enter("a**", true, "b");
    t.Trigger("Replace1");
    QCOMPARE(t.errors.size(), 1);
    QVERIFY(t.errors[0].contains("TRegex"));
    QVERIFY(!t->StatusPanelText(1).contains("not found"));
    QCOMPARE(QString::fromStdString(t.Editor().Text()), QString("aaa"));
  }
};

QTEST_MAIN(SearchDialogsTest)
#include "SearchDialogsTest.moc"
