#include "app/StateReport.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QTabWidget>
#include <QTimer>

#include "app/MainForm.h"
#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

TStateReport* TStateReport::FromEnvironment(TForm1& form) {
  const QString path = qEnvironmentVariable("VANTREL_STATE_FILE");
  return path.isEmpty() ? nullptr : new TStateReport(form, path);
}

TStateReport::TStateReport(TForm1& form, QString path) : QObject(&form), form_(form), path_(std::move(path)) {
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &TStateReport::Refresh);
  timer->start(50);
  qApp->installEventFilter(this);
}

bool TStateReport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && form_.CurrentEditor && watched == form_.CurrentView()) {
    paintedLines_ = form_.CurrentEditor->LineCount();
    if (!refreshQueued_) {
      refreshQueued_ = true;
      QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        Refresh();
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

QString TStateReport::Text() const {
  QStringList tabs;
  for (int i = 0; i < form_.TabCount(); ++i) tabs << form_.TabCaption(i);
  TCodeEdit* editor = form_.CurrentEditor;
  const TSyntaxItem syntax = form_.CheckedSyntaxItem();
  QString text;
  text += "title=" + form_.windowTitle() + "\n";
  text += "tabs=" + tabs.join('|') + "\n";
  // The captions as shown, so tests can tell which language is in use.
  QStringList menus;
  for (const QAction* action : form_.menuBar()->actions()) menus << action->text();
  text += "menus=" + menus.join('|') + "\n";
  text += QString("active=%1\n").arg(form_.PageControl1->currentIndex());
  text += "panel0=" + form_.StatusPanelText(0) + "\n";
  text += "panel1=" + form_.StatusPanelText(1) + "\n";
  text += QString("statusbar=%1\n").arg(form_.StatusBarVisible() ? 1 : 0);
  text += QString("syntax=%1\n").arg(syntax == siNone ? "-" : SyntaxItems()[size_t(syntax)].Name);
  text += QString("highlighter=%1\n")
              .arg(editor && editor->Highlighter() ? QString::fromStdString(editor->Highlighter()->ClassName()) : "-");
  text += QString("modified=%1\n").arg(editor && editor->Modified() ? 1 : 0);
  text += QString("readonly=%1\n").arg(editor && editor->ReadOnly() ? 1 : 0);
  text += QString("wordwrap=%1\n").arg(editor && editor->WordWrap() ? 1 : 0);
  text += QString("linenumbers=%1\n").arg(editor && editor->Gutter().ShowLineNumbers() ? 1 : 0);
  text += QString("rightedge=%1\n").arg(editor ? editor->RightEdge() : -1);
  text += QString("lines=%1\n").arg(editor ? editor->LineCount() : -1);
  text += QString("painted_lines=%1\n").arg(paintedLines_);
  text += editor ? QString("caret=%1,%2\n").arg(editor->CaretX()).arg(editor->CaretY()) : QString("caret=-\n");
  // The end of the text, cheap to take however long the document is: the
  // report is rewritten on every change, so a 10 MB line is cut short.
  const int count = editor ? editor->LineCount() : 0;
  const auto lineHead = [&](int line) { return QString::fromLocal8Bit(editor->LineText(line).substr(0, 200)); };
  text += "last_lines=" + (count > 0 ? lineHead(count - 1) + "|" + lineHead(count) : QString()) + "\n";
  // The message box on screen, so tests can check what the user was told.
  const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  text += "message=" + (box ? box->text().replace('\n', ' ') : QString()) + "\n";
  return text;
}

void TStateReport::Refresh() {
  const QString text = Text();
  if (text == written_) return;
  // Written whole and renamed, so a reader never sees half a report.
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(text.toUtf8());
  if (file.commit()) written_ = text;
}

}  // namespace vantrel
