// The modal replace dialog: the search dialog with a replacement text and
// its history.
// Tested by tests/ui/SearchDialogsTest.cpp
#pragma once

#include "app/TextSearchDialog.h"

namespace vantrel {

class TTextReplaceDialog : public TTextSearchDialog {
  Q_OBJECT

 public:
  explicit TTextReplaceDialog(QWidget* parent = nullptr);

  QString ReplaceText() const;
  void SetReplaceText(const QString& value);
  QString ReplaceHistory() const;
  void SetReplaceHistory(const QString& value);

  bool FormCloseQuery() override;

  QLabel* Label2;
  QComboBox* cbReplaceText;
};

}  // namespace vantrel
