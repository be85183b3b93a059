#pragma once

#include <QTest>

#include "runtime/qt/qt_form.hpp"

namespace testsupport {

// Load, then show, as a program starts its window; false when the program
// ended during Load or the window never became active.
inline bool StartForm(rt::qt::QtForm& form) {
  if (!form.Load()) {
    return false;
  }
  form.show();
  return QTest::qWaitForWindowActive(&form);
}

}  // namespace testsupport
