#include "app/TabSheet.h"

#include <QVBoxLayout>

#include "app/CodeEditWidget.h"

namespace vantrel {

TTabSheet::TTabSheet(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);  // border width 0
  auto* widget = new CodeEditWidget(this);
  layout->addWidget(widget);
  // The viewport is what gets painted and clicked; focus passes on to the widget.
  view_ = widget->viewport();
  editor_ = &widget->Editor();
}

TTabSheet::~TTabSheet() = default;

}  // namespace vantrel
