#pragma once

#include <QFontMetrics>
#include <QLineEdit>
#include <QtTest>

#include "runtime/qt/qt_form.hpp"

namespace testsupport {

// A program's window loads and shows, and every caption fits its control on
// one line in the font it is drawn with: its ink, for a stand-in font may give
// the last glyph an advance that reaches a pixel past the edge unseen.
inline void CheckWindow(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                        const rt::forms::AppInfo& app) {
  rt::qt::PrepareApplication(*qApp, app);
  rt::qt::QtForm form(design, handlers, app);
  QVERIFY(form.Load());
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    const QString text = widget->property("text").toString();
    const QFontMetrics metrics(widget->font());
    QVERIFY2(text.isEmpty() || qobject_cast<QLineEdit*>(widget) != nullptr ||
                 (metrics.tightBoundingRect(text).width() <= widget->contentsRect().width() &&
                  metrics.height() <= widget->contentsRect().height()),
             qPrintable(widget->objectName() + ": " + text));
  }
}

}  // namespace testsupport
