// The main window's menus: the main menu, the tab and editor pop-ups, their
// captions and shortcuts as stored, and how each item is checked.
// Tested by tests/ui/MainFormTest.cpp
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/MainForm.h"

namespace vantrel {

namespace {

constexpr int kShift = 0x2000;
constexpr int kCtrl = 0x4000;
constexpr int kAlt = 0x8000;

enum TCheckKind : uint8_t {
  ckNone,
  ckSelf,     // the item toggles its own check before the handler runs
  ckHandler,  // the handler inverts the check
  ckRadio,    // one of a group, checks itself
};

using THandler = void (*)(TForm1&);

struct TMenuRow {
  const char* Menu;  // component name of the menu the item goes in
  const char* Name;
  const char* Caption;  // "-" for a separator
  int ShortCut;
  THandler Handler;  // nullptr: the command belongs to a window not built yet
  TCheckKind Check;
  bool Checked;
};

#define H(method) [](TForm1& f) { f.method(); }

// Menus in the order they are shown; the Syntax submenu is filled from its own table.
const TMenuRow kMenuRows[] = {
    {"File1", "New1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&新建"), kCtrl + 'N', H(New1Click), ckNone, false},
    {"File1", "Open1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&打开..."), kCtrl + 'O', H(Open1Click), ckNone, false},
    {"File1", "OpenReadonly1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&只读打开"), kCtrl + 'R', H(OpenReadonly1Click), ckNone, false},
    {"File1", "Save1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&保存"), kCtrl + 'S', H(Save1Click), ckNone, false},
    {"File1", "Saveas1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&另存为..."), 0, H(Saveas1Click), ckNone, false},
    {"File1", "Close3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&关闭"), kCtrl + 'W', H(Close3Click), ckNone, false},
    {"File1", "ToggleReadonly1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&只读切换"), 0, H(ToggleReadonly1Click), ckHandler, false},
    {"File1", "Fileinfo1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&文件信息"), 0, H(Fileinfo1Click), ckNone, false},
    {"File1", "N1", "-", 0, nullptr, ckNone, false},
    {"File1", "Print1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&打印"), kCtrl + 'P', H(Print1Click), ckNone, false},
    {"File1", "Printersetup1", QT_TRANSLATE_NOOP("vantrel::TForm1", "打印机设置..."), 0, H(Printersetup1Click), ckNone, false},
    {"File1", "N2", "-", 0, nullptr, ckNone, false},
    {"File1", "Exit1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&退出"), kCtrl + 'Q', H(Exit1Click), ckNone, false},

    {"Edit1", "Cut1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&剪切"), kCtrl + 'X', H(Cut1Click), ckNone, false},
    {"Edit1", "Copy1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&复制"), kCtrl + 'C', H(Copy1Click), ckNone, false},
    {"Edit1", "Paste1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&粘贴"), kCtrl + 'V', H(Paste1Click), ckNone, false},
    {"Edit1", "Undo1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&撤销"), kCtrl + 'Z', H(Undo1Click), ckNone, false},
    {"Edit1", "Redo1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&重做"), 0, H(Redo1Click), ckNone, false},
    {"Edit1", "Delete1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&删除"), 0, H(Delete1Click), ckNone, false},
    {"Edit1", "N3", "-", 0, nullptr, ckNone, false},
    {"Edit1", "Selectall1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&全选"), kCtrl + 'A', H(Selectall1Click), ckNone, false},
    {"Edit1", "SelectNormal1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&正常选择"), 0, H(SelectNormal1Click), ckRadio, true},
    {"Edit1", "SelectColumn1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&选择列"), 0, H(SelectColumn1Click), ckRadio, false},
    {"Edit1", "SelectLine1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&选择行"), 0, H(SelectLine1Click), ckRadio, false},
    {"Edit1", "N8", "-", 0, nullptr, ckNone, false},
    {"Edit1", "Font1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&改变字体"), 0, H(Font1Click), ckNone, false},
    {"Edit1", "Wordwrap1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&自动换行"), 0, H(Wordwrap1Click), ckHandler, false},
    {"Edit1", "WordCount1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&单词计数"), 0, H(WordCount1Click), ckNone, false},

    {"Search2", "Search1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&搜索"), kCtrl + 'F', H(Search1Click), ckNone, false},
    {"Search2", "SearchAgain1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&重新搜索"), 0x72, H(SearchAgain1Click), ckNone, false},
    {"Search2", "SearchBackwards1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&向后搜索"), kCtrl + 0x72, H(SearchBackwards1Click), ckNone, false},
    {"Search2", "Replace1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&替换"), kCtrl + 'H', H(Replace1Click), ckNone, false},
    {"Search2", "N4", "-", 0, nullptr, ckNone, false},
    {"Search2", "GototoLine1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&跳转行"), kCtrl + 'G', H(GototoLine1Click), ckNone, false},
    {"Search2", "FindMatchingBracket1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&查找匹配括号"), kCtrl + 'B', H(FindMatchingBracket1Click), ckNone, false},

    {"View1", "ViewinHex1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&16进制查看"), kCtrl + kAlt + 'H', H(ViewinHex1Click), ckNone, false},
    {"View1", "N6", "-", 0, nullptr, ckNone, false},
    {"View1", "Addlinenumbers1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&显示行号"), 0, H(Addlinenumbers1Click), ckSelf, false},
    {"View1", "ViewCurrentLine1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&当前行号"), 0, H(ViewCurrentLine1Click), ckSelf, true},
    {"View1", "ShowStatusBar1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&显示状态栏"), 0, H(ShowStatusBar1Click), ckHandler, true},
    {"View1", "ShowRightEdge1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&显示右边界"), 0, H(ShowRightEdge1Click), ckHandler, true},
    {"View1", "FullScreen1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&全屏"), 122, H(FullScreen1Click), ckHandler, false},
    {"View1", "N7", "-", 0, nullptr, ckNone, false},

    {"ools1", "Baseconverter1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&基本转换"), 0, H(Baseconverter1Click), ckNone, false},
    {"ools1", "ASCIITable1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&ASCII码表"), 0, H(ASCIITable1Click), ckNone, false},
    {"ools1", "N5", "-", 0, nullptr, ckNone, false},
    {"ools1", "ToLowercase1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&到小写"), 0, H(ToLowercase1Click), ckNone, false},
    {"ools1", "ToUppercase1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&到大写"), 0, H(ToUppercase1Click), ckNone, false},
    {"ools1", "Capitalize1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&首字符大写"), 0, H(Capitalize1Click), ckNone, false},
    {"ools1", "Insertdateandtime1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&插入时间日期"), 0, H(Insertdateandtime1Click), ckNone, false},
    {"ools1", "ExecuteCommandLine1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&执行命令行"), 0, H(ExecuteCommandLine1Click), ckNone, false},
    {"ools1", "Sort1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&排序"), 0, H(Sort1Click), ckNone, false},
    {"ools1", "N11", "-", 0, nullptr, ckNone, false},
    {"ools1", "MonitorFile1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&监视文件"), 0, H(MonitorFile1Click), ckHandler, false},

    {"Help1", "About1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&关于"), 0, H(About1Click), ckNone, false},

    {"PopupMenu2", "New2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&新建"), 0, H(New1Click), ckNone, false},
    {"PopupMenu2", "Open2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&打开"), 0, H(Open1Click), ckNone, false},
    {"PopupMenu2", "Save2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&保存"), 0, H(Save1Click), ckNone, false},
    {"PopupMenu2", "SaveAs2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&另存为"), 0, H(Saveas1Click), ckNone, false},
    {"PopupMenu2", "Close1", QT_TRANSLATE_NOOP("vantrel::TForm1", "&关闭"), 0, H(Close3Click), ckNone, false},

    {"PopupMenu1", "Cut2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&剪切"), 0, H(Cut1Click), ckNone, false},
    {"PopupMenu1", "Copy2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&复制"), 0, H(Copy1Click), ckNone, false},
    {"PopupMenu1", "Paste2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&粘贴"), 0, H(Paste1Click), ckNone, false},
    {"PopupMenu1", "N9", "-", 0, nullptr, ckNone, false},
    {"PopupMenu1", "New3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&新建"), 0, H(New1Click), ckNone, false},
    {"PopupMenu1", "Open3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&打开"), 0, H(Open1Click), ckNone, false},
    {"PopupMenu1", "Save3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&保存"), 0, H(Save1Click), ckNone, false},
    {"PopupMenu1", "SaveAs3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&另存为"), 0, H(Saveas1Click), ckNone, false},
    {"PopupMenu1", "Close2", QT_TRANSLATE_NOOP("vantrel::TForm1", "&关闭"), 0, H(Close3Click), ckNone, false},
    {"PopupMenu1", "N10", "-", 0, nullptr, ckNone, false},
    {"PopupMenu1", "Search3", QT_TRANSLATE_NOOP("vantrel::TForm1", "&搜索"), 0, H(Search1Click), ckNone, false},
};

#undef H

Qt::Key QtKeyOf(int virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) return Qt::Key(virtualKey);
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + (virtualKey - 0x70));
  switch (virtualKey) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0D: return Qt::Key_Return;
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x21: return Qt::Key_PageUp;
    case 0x22: return Qt::Key_PageDown;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x25: return Qt::Key_Left;
    case 0x26: return Qt::Key_Up;
    case 0x27: return Qt::Key_Right;
    case 0x28: return Qt::Key_Down;
    case 0x2D: return Qt::Key_Insert;
    case 0x2E: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
  }
}

}  // namespace

QKeySequence ShortCutToKeySequence(int shortCut) {
  const Qt::Key key = QtKeyOf(shortCut & 0xFF);
  if (shortCut == 0 || key == Qt::Key_unknown) return {};
  Qt::KeyboardModifiers modifiers;
  if (shortCut & kShift) modifiers |= Qt::ShiftModifier;
  if (shortCut & kCtrl) modifiers |= Qt::ControlModifier;
  if (shortCut & kAlt) modifiers |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(modifiers, key));
}

QMenu* TForm1::AddMenu(QMenu* parent, const QString& name, const QString& caption) {
  QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
  menu->setObjectName(name);
  items_[name] = menu->menuAction();
  return menu;
}

void TForm1::CreateMenus() {
  std::map<QString, QMenu*> menus;
  menus["File1"] = AddMenu(nullptr, "File1", tr("&文件"));
  menus["Edit1"] = AddMenu(nullptr, "Edit1", tr("&编辑"));
  menus["Search2"] = AddMenu(nullptr, "Search2", tr("&搜索"));
  menus["View1"] = AddMenu(nullptr, "View1", tr("&查看"));
  menus["ools1"] = AddMenu(nullptr, "ools1", tr("&工具"));
  menus["Help1"] = AddMenu(nullptr, "Help1", tr("&帮助"));
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  menus["PopupMenu1"] = PopupMenu1;
  menus["PopupMenu2"] = PopupMenu2;

  auto* selectionGroup = new QActionGroup(this);
  for (const TMenuRow& row : kMenuRows) {
    QMenu* menu = menus.at(row.Menu);
    if (QString(row.Caption) == "-") {
      menu->addSeparator()->setObjectName(row.Name);
      continue;
    }
    QAction* action = menu->addAction(tr(row.Caption));
    action->setObjectName(row.Name);
    items_[row.Name] = action;
    if (row.ShortCut) {
      action->setShortcut(ShortCutToKeySequence(row.ShortCut));
      // The pop-ups share handlers with the main menu, which owns the keys.
      action->setShortcutContext(Qt::WindowShortcut);
    }
    if (row.Check != ckNone) {
      action->setCheckable(true);
      action->setChecked(row.Checked);
    }
    if (row.Check == ckRadio) selectionGroup->addAction(action);
    if (!row.Handler) {
      action->setEnabled(false);
      continue;
    }
    const THandler handler = row.Handler;
    const bool handlerToggles = row.Check == ckHandler;
    connect(action, &QAction::triggered, this, [this, action, handler, handlerToggles] {
      // Qt toggled the check already; these handlers invert it themselves.
      if (handlerToggles) action->setChecked(!action->isChecked());
      Guard([&] { handler(*this); });
    });
  }

  QMenu* syntax = AddMenu(menus["View1"], "Syntax1", tr("&语法"));
  syntaxGroup_ = new QActionGroup(this);
  for (int i = 0; i < kSyntaxItemCount; ++i) {
    const TSyntaxItemInfo& info = SyntaxItems()[size_t(i)];
    QAction* action = syntax->addAction(tr(info.Caption));
    action->setObjectName(info.Name);
    items_[info.Name] = action;
    if (info.Checks == TSyntaxItem(i)) {  // Objective-C is never checked itself
      action->setCheckable(true);
      action->setChecked(i == siNormal1);
      syntaxGroup_->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, i] { Guard([&] { SyntaxItemClick(TSyntaxItem(i)); }); });
  }
}

}  // namespace vantrel
