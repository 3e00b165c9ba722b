// A document tab: the page in the tab control that holds one editor view.
#pragma once

#include <QWidget>

#include "editor/CodeEdit.h"

namespace vantrel {

class TTabSheet : public QWidget {
  Q_OBJECT

 public:
  explicit TTabSheet(QWidget* parent = nullptr);
  ~TTabSheet() override;

  TCodeEdit& Editor() const { return *editor_; }
  // The widget that shows the editor and takes the keyboard focus.
  QWidget* View() const { return view_; }

 private:
  QWidget* view_ = nullptr;
  TCodeEdit* editor_ = nullptr;
};

}  // namespace vantrel
