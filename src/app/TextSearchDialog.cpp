// The modal search dialog: search text with its history, the options and
// the direction.
// Tested by tests/ui/SearchDialogsTest.cpp
#include "app/TextSearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vantrel {

namespace {

constexpr int kHistoryEntries = 10;
const QString kHistorySeparator = "\r\n";

// A titled box whose items stand one under the other.
QVBoxLayout* NewGroup(QWidget* parent, QGroupBox*& group, const char* name, const QString& caption, QRect geometry) {
  group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  group->setGeometry(geometry);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 4, 4, 4);
  layout->setSpacing(0);
  return layout;
}

QCheckBox* NewCheck(QGroupBox* group, QVBoxLayout* layout, const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, group);
  check->setObjectName(name);
  layout->addWidget(check);
  return check;
}

}  // namespace

QComboBox* NewHistoryCombo(QWidget* parent, const char* name, int x, int y) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);  // the history is kept by hand
  combo->setGeometry(x, y, 228, 21);
  return combo;
}

QString ReadHistory(const QComboBox& combo) {
  QStringList entries;
  for (int i = 0; i < combo.count() && i < kHistoryEntries; ++i) entries << combo.itemText(i);
  return entries.join(kHistorySeparator);
}

void WriteHistory(QComboBox& combo, const QString& history) {
  const QString text = combo.currentText();
  combo.clear();
  QString normalised = history;
  normalised.replace(kHistorySeparator, "\n");
  if (!normalised.isEmpty()) combo.addItems(normalised.split('\n'));
  combo.setEditText(text);
}

void AddFieldToHistory(QComboBox& combo) {
  const QString text = combo.currentText();
  if (text.isEmpty()) return;
  for (int i = 0; i < combo.count(); ++i) {
    if (combo.itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
      combo.removeItem(i);
      break;
    }
  }
  combo.insertItem(0, text);
  combo.setEditText(text);
}

TTextSearchDialog::TTextSearchDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TextSearchDialog");
  setWindowTitle(tr("搜索文本"));
  setFixedSize(332, 180);

  Label1 = new QLabel(tr("&搜索:"), this);
  Label1->setObjectName("Label1");
  Label1->move(8, 12);
  cbSearchText = NewHistoryCombo(this, "cbSearchText", 96, 8);
  Label1->setBuddy(cbSearchText);

  QVBoxLayout* options = NewGroup(this, gbSearchOptions, "gbSearchOptions", tr("选项"), {8, 40, 154, 127});
  cbSearchCaseSensitive = NewCheck(gbSearchOptions, options, "cbSearchCaseSensitive", tr("大小写敏感"));
  cbSearchWholeWords = NewCheck(gbSearchOptions, options, "cbSearchWholeWords", tr("整词匹配"));
  cbSearchFromCursor = NewCheck(gbSearchOptions, options, "cbSearchFromCursor", "Search from &caret");
  cbSearchSelectedOnly = NewCheck(gbSearchOptions, options, "cbSearchSelectedOnly", "&Selected text only");
  cbRegularExpression = NewCheck(gbSearchOptions, options, "cbRegularExpression", tr("&正则表达式"));

  QVBoxLayout* directions = NewGroup(this, rgSearchDirection, "rgSearchDirection", tr("方向"), {170, 40, 154, 65});
  rbForward = new QRadioButton(tr("&向前"), rgSearchDirection);
  rbBackward = new QRadioButton(tr("&向后"), rgSearchDirection);
  rbForward->setChecked(true);
  directions->addWidget(rbForward);
  directions->addWidget(rbBackward);

  btnOK = new QPushButton(tr("确定"), this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(170, 142, 75, 25);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(tr("取消"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(249, 142, 75, 25);
  // QDialog closes with Cancel on Escape already.
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  cbSearchText->setFocus();
}

bool TTextSearchDialog::Backwards() const { return rbBackward->isChecked(); }
void TTextSearchDialog::SetBackwards(bool value) { (value ? rbBackward : rbForward)->setChecked(true); }
bool TTextSearchDialog::CaseSensitive() const { return cbSearchCaseSensitive->isChecked(); }
void TTextSearchDialog::SetCaseSensitive(bool value) { cbSearchCaseSensitive->setChecked(value); }
bool TTextSearchDialog::FromCaret() const { return cbSearchFromCursor->isChecked(); }
void TTextSearchDialog::SetFromCaret(bool value) { cbSearchFromCursor->setChecked(value); }
bool TTextSearchDialog::SelectedOnly() const { return cbSearchSelectedOnly->isChecked(); }
void TTextSearchDialog::SetSelectedOnly(bool value) { cbSearchSelectedOnly->setChecked(value); }
bool TTextSearchDialog::WholeWords() const { return cbSearchWholeWords->isChecked(); }
void TTextSearchDialog::SetWholeWords(bool value) { cbSearchWholeWords->setChecked(value); }
bool TTextSearchDialog::RegularExpression() const { return cbRegularExpression->isChecked(); }
QString TTextSearchDialog::SearchText() const { return cbSearchText->currentText(); }
void TTextSearchDialog::SetSearchText(const QString& value) { cbSearchText->setEditText(value); }
QString TTextSearchDialog::SearchHistory() const { return ReadHistory(*cbSearchText); }
void TTextSearchDialog::SetSearchHistory(const QString& value) { WriteHistory(*cbSearchText, value); }

bool TTextSearchDialog::FormCloseQuery() {
  AddFieldToHistory(*cbSearchText);
  return true;
}

void TTextSearchDialog::accept() {
  if (FormCloseQuery()) QDialog::accept();
}

}  // namespace vantrel
