#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace testsupport {

// What a screen reader announces for the widget.
inline QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

// The names of the labels that a screen reader reads out with the widget.
inline QStringList AccessibleLabels(QWidget* widget) {
  QStringList names;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  if (accessible != nullptr) {
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
      names << label->text(QAccessible::Name);
    }
  }
  return names;
}

}  // namespace testsupport
