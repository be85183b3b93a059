#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace testsupport {

// What a screen reader announces for the widget.
inline QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

}  // namespace testsupport
