// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Both windows at the scale factor that this process runs with (QT_SCALE_FACTOR,
// or on a compositor that scales its output, OUTPUT_SCALE; one test entry per
// factor): every caption still fits its control on one
// line, the picture keeps its logical size but has a pixel for every device
// pixel, and the window keeps its designed proportions. At whole factors the
// window shows the picture's source image exactly, pixel for pixel, as Qt's
// own reader for its format decodes it. Where controls overlap, the later one
// of the design is drawn on top.

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/real_windows.hpp"

namespace {

// The source image of a picture at a density of 1 or 2 ("<name>@2x.<suffix>"),
// decoded by whatever reader Qt has for it.
QImage SourceImage(const rt::forms::ImageRef& image, int density) {
  QString name = QString::fromStdU16String(image.resource);
  if (density == 2) {
    name.insert(name.lastIndexOf(u'.'), QStringLiteral("@2x"));
  }
  return QImage(QStringLiteral(CORVEL_ASSETS "/") + name).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void KeepsItsLayout();

 private:
  static void CheckStacking(rt::qt::QtForm& form, const rt::forms::FormDesign& design, qreal scale);
};

void HighDpiTest::KeepsItsLayout() {
  testsupport::RealWindows windows;
  for (const auto& [design, handlers, app] : windows.all) {
    rt::qt::PrepareApplication(*qApp, app);
    rt::qt::QtForm form(design, handlers, app);
    QVERIFY(form.Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const qreal scale = form.devicePixelRatioF();
    QCOMPARE(
        scale,
        qEnvironmentVariable("QT_SCALE_FACTOR", qEnvironmentVariable("OUTPUT_SCALE")).toDouble());
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
      const QImage plain = SourceImage(design.picture->image, 1);
      QVERIFY(!plain.isNull());
      QCOMPARE(picture.deviceIndependentSize(), QSizeF(plain.size()));
      QVERIFY(picture.width() >= plain.width() * scale);
      if (scale == 1.0 || scale == 2.0) {
        const QImage source = SourceImage(design.picture->image, static_cast<int>(scale));
        const QPoint place(rt::forms::TwipsToPixels(design.picture->left),
                           rt::forms::TwipsToPixels(design.picture->top));
        const QImage shown = form.grab().toImage().copy(QRect(place * scale, source.size()));
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), source);
      }
    }
    QCOMPARE(form.width() * design.client_height, form.height() * design.client_width);
    CheckStacking(form, design, scale);
  }
}

// Where controls overlap (by a pixel, such as a text box's edge under the
// label above it), the later one of the design is on top: it is the one at
// that point, and at whole factors the window shows there what it draws.
void HighDpiTest::CheckStacking(rt::qt::QtForm& form, const rt::forms::FormDesign& design,
                                qreal scale) {
  const QImage window = form.grab().toImage();
  int overlaps = 0;
  const auto& controls = design.controls;
  for (std::size_t below = 0; below < controls.size(); ++below) {
    for (std::size_t above = below + 1; above < controls.size(); ++above) {
      QWidget* lower = form.WidgetOf(controls[below].name, controls[below].index);
      QWidget* upper = form.WidgetOf(controls[above].name, controls[above].index);
      const QRect overlap = lower->geometry() & upper->geometry();
      if (overlap.isEmpty()) {
        continue;
      }
      ++overlaps;
      const QString pair = lower->objectName() + " under " + upper->objectName();
      const QPoint middle = overlap.center();
      QVERIFY2(form.childAt(middle) == upper, qPrintable(pair));
      if (scale == 1.0 || scale == 2.0) {
        const QImage alone = upper->grab().toImage();
        const QPoint at = upper->mapFromParent(middle);
        QVERIFY2(window.pixel(middle * scale) == alone.pixel(at * scale), qPrintable(pair));
      }
    }
  }
  QVERIFY(overlaps > 0);
}

QTEST_MAIN(HighDpiTest)
#include "qt_test.moc"
