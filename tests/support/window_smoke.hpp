#pragma once

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QtTest>

#include <cstdio>

#include "runtime/qt/qt_form.hpp"

namespace testsupport {

// A program's window test, run as the test's main: the window loads and shows,
// and every caption fits its control on one line in the font it is drawn with:
// its ink, for a stand-in font may give the last glyph an advance that reaches
// a pixel past the edge unseen. Returns the number of faults.
inline int CheckWindow(int argc, char** argv, const rt::forms::FormDesign& design,
                       rt::forms::FormHandlers& handlers, const rt::forms::AppInfo& app) {
  QApplication application(argc, argv);
  rt::qt::PrepareApplication(application, app);
  rt::qt::QtForm form(design, handlers, app);
  form.SetMessageBox([](QWidget*, const QString&, const QString& text) {
    std::printf("message: %s\n", qPrintable(text));
  });
  if (!form.Load()) {
    return 1;
  }
  form.show();
  int faults = QTest::qWaitForWindowExposed(&form) ? 0 : 1;
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    const QString text = widget->property("text").toString();
    const QFontMetrics metrics(widget->font());
    if (!text.isEmpty() && qobject_cast<QLineEdit*>(widget) == nullptr &&
        (metrics.tightBoundingRect(text).width() > widget->contentsRect().width() ||
         metrics.height() > widget->contentsRect().height())) {
      std::printf("does not fit: %s: %s\n", qPrintable(widget->objectName()), qPrintable(text));
      ++faults;
    }
  }
  return faults;
}

}  // namespace testsupport
