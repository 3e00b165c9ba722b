// The modal replace dialog: the search dialog with a replacement text and
// its history.
// Tested by tests/ui/SearchDialogsTest.cpp
#include "app/TextReplaceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel {

TTextReplaceDialog::TTextReplaceDialog(QWidget* parent) : TTextSearchDialog(parent) {
  setObjectName("TextReplaceDialog");
  setWindowTitle(tr("替换文本"));
  setFixedSize(332, 210);
  gbSearchOptions->move(8, 70);
  rgSearchDirection->move(170, 70);
  btnOK->move(btnOK->x(), 179);
  btnCancel->move(btnCancel->x(), 179);

  Label2 = new QLabel(tr("替换为:"), this);
  Label2->setObjectName("Label2");
  Label2->move(8, 41);
  cbReplaceText = NewHistoryCombo(this, "cbReplaceText", 96, 37);
  Label2->setBuddy(cbReplaceText);
  // Tab goes from the search text to the replacement, then to the options.
  setTabOrder(cbSearchText, cbReplaceText);
  setTabOrder(cbReplaceText, cbSearchCaseSensitive);
}

QString TTextReplaceDialog::ReplaceText() const { return cbReplaceText->currentText(); }
void TTextReplaceDialog::SetReplaceText(const QString& value) { cbReplaceText->setEditText(value); }
QString TTextReplaceDialog::ReplaceHistory() const { return ReadHistory(*cbReplaceText); }
void TTextReplaceDialog::SetReplaceHistory(const QString& value) { WriteHistory(*cbReplaceText, value); }

bool TTextReplaceDialog::FormCloseQuery() {
  TTextSearchDialog::FormCloseQuery();
  AddFieldToHistory(*cbReplaceText);
  return true;
}

}  // namespace vantrel
