// The modal search dialog: search text with its history, the options and
// the direction. The replace dialog builds on it.
// Tested by tests/ui/SearchDialogsTest.cpp
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vantrel {

// An editable text field with a list of earlier texts, 228 pixels wide.
QComboBox* NewHistoryCombo(QWidget* parent, const char* name, int x, int y);
// A history is the first ten list entries joined by CR LF.
QString ReadHistory(const QComboBox& combo);
void WriteHistory(QComboBox& combo, const QString& history);
// The field's text goes to the top of the list, replacing an entry that
// differs from it only in letter case; an empty text is not added.
void AddFieldToHistory(QComboBox& combo);

class TTextSearchDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TTextSearchDialog(QWidget* parent = nullptr);

  bool Backwards() const;
  void SetBackwards(bool value);
  bool CaseSensitive() const;
  void SetCaseSensitive(bool value);
  bool FromCaret() const;
  void SetFromCaret(bool value);
  bool SelectedOnly() const;
  void SetSelectedOnly(bool value);
  bool WholeWords() const;
  void SetWholeWords(bool value);
  bool RegularExpression() const;
  QString SearchText() const;
  void SetSearchText(const QString& value);
  QString SearchHistory() const;
  void SetSearchHistory(const QString& value);

  // Runs when the dialog closes with OK; it never refuses.
  virtual bool FormCloseQuery();
  void accept() override;

  QLabel* Label1;
  QComboBox* cbSearchText;
  QGroupBox* gbSearchOptions;
  QCheckBox* cbSearchCaseSensitive;
  QCheckBox* cbSearchWholeWords;
  QCheckBox* cbSearchFromCursor;
  QCheckBox* cbSearchSelectedOnly;
  QCheckBox* cbRegularExpression;
  QGroupBox* rgSearchDirection;
  QRadioButton* rbForward;
  QRadioButton* rbBackward;
  QPushButton* btnOK;
  QPushButton* btnCancel;
};

}  // namespace vantrel
