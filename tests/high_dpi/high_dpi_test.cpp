// Both windows at the scale factor that this process runs with (QT_SCALE_FACTOR,
// or on a compositor that scales its output, OUTPUT_SCALE; one test entry per
// factor): every caption still fits its control on one
// line, the picture keeps its logical size but has a pixel for every device
// pixel, and the window keeps its designed proportions.

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/real_windows.hpp"

namespace {

qreal ExpectedScale() {
  const QString forced = qEnvironmentVariable("QT_SCALE_FACTOR");
  return (forced.isEmpty() ? qEnvironmentVariable("OUTPUT_SCALE") : forced).toDouble();
}

}  // namespace

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void keepsItsLayout();
};

void HighDpiTest::keepsItsLayout() {
  testsupport::RealWindows windows;
  for (const auto& [design, handlers, app] : windows.all) {
    rt::qt::PrepareApplication(*qApp, app);
    rt::qt::QtForm form(design, handlers, app);
    QVERIFY(form.Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const qreal scale = form.devicePixelRatioF();
    QCOMPARE(scale, ExpectedScale());
    for (QWidget* control : form.findChildren<QWidget*>()) {
      const bool captioned = qobject_cast<QLabel*>(control) || qobject_cast<QPushButton*>(control);
      const QString caption = captioned ? control->property("text").toString() : QString();
      // The ink as it is drawn at this scale, and a whole line's height.
      QFontMetricsF metrics(control->font(), control);
      QVERIFY2(caption.isEmpty() ||
                   (metrics.tightBoundingRect(caption).width() <= control->contentsRect().width() &&
                    metrics.height() <= control->contentsRect().height()),
               qPrintable(form.objectName() + "." + control->objectName()));
    }
    if (design.picture) {
      const QPixmap& picture = form.picture();
      QPixmap plain(QStringLiteral(":/images/") +
                    QString::fromStdU16String(design.picture->image.resource));
      QCOMPARE(picture.deviceIndependentSize(), QSizeF(plain.size()));
      QVERIFY(picture.width() >= plain.width() * scale);
    }
    QCOMPARE(form.width() * design.client_height, form.height() * design.client_width);
  }
}

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
