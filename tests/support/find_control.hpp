#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

#include "runtime/qt/qt_form.hpp"

namespace testsupport {

// The widget of a control that a test row names as "name" or "name(index)".
inline QWidget* Find(const rt::qt::QtForm& form, const QString& control) {
  qsizetype open = control.indexOf(u'(');
  if (open < 0) {
    return form.widgetOf(control.toStdU16String());
  }
  int index = control.mid(open + 1, control.size() - open - 2).toInt();
  return form.widgetOf(control.left(open).toStdU16String(), index);
}

// A label's or button's caption, or a text box's text.
inline QString TextOf(QWidget* widget) {
  return widget->property("text").toString();
}

}  // namespace testsupport
