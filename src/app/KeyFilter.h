// Lets only some typed characters into an edit field: the key filters of the
// go-to-line dialog and the base converter. Keys that type nothing (arrows,
// shortcuts) pass.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace vantrel {

class TKeyFilter : public QObject {
  Q_OBJECT

 public:
  // accepts gets each typed character as a byte ('\b' for Backspace).
  TKeyFilter(QWidget* field, std::function<bool(char)> accepts);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(char)> accepts_;
};

}  // namespace vantrel
