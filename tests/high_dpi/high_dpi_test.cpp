// Both windows at the scale factor that this process runs with (QT_SCALE_FACTOR,
// one test entry per factor): every caption still fits its control on one
// line, the picture keeps its logical size but has a pixel for every device
// pixel, and the window keeps its designed proportions.

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "Corvel/frm_corvel.hpp"
#include "Pellam/frm_pellam.hpp"
#include "runtime/qt/qt_form.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/scripted_ticks.hpp"

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void keepsItsLayout_data();
  void keepsItsLayout();
};

void HighDpiTest::keepsItsLayout_data() {
  QTest::addColumn<bool>("corvel");
  QTest::newRow("frmCorvel") << true;
  QTest::newRow("frmPellam") << false;
}

void HighDpiTest::keepsItsLayout() {
  QFETCH(bool, corvel);
  testsupport::ScriptedTicks ticks;
  testsupport::RecordingRegistry registry;
  std::unique_ptr<rt::forms::FormHandlers> handlers;
  rt::forms::FormDesign design;
  rt::forms::AppInfo app;
  if (corvel) {
    handlers = std::make_unique<corvel::FrmCorvel>(ticks);
    design = corvel::FrmCorvelDesign();
    app = corvel::CorvelAppInfo();
  } else {
    handlers = std::make_unique<pellam::FrmPellam>(registry);
    design = pellam::FrmPellamDesign();
    app = pellam::PellamAppInfo();
  }
  rt::qt::PrepareApplication(*qApp, app);
  rt::qt::QtForm form(design, *handlers, app);
  QVERIFY(form.Load());
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const qreal scale = form.devicePixelRatioF();
  QCOMPARE(scale, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
  for (QWidget* control : form.findChildren<QWidget*>()) {
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(control)) {
      caption = label->text();
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      caption = button->text();
    }
    // The ink as it is drawn at this scale, and a whole line's height.
    QFontMetricsF metrics(control->font(), control);
    QVERIFY2(caption.isEmpty() ||
                 (metrics.tightBoundingRect(caption).width() <= control->contentsRect().width() &&
                  metrics.height() <= control->contentsRect().height()),
             qPrintable(control->objectName()));
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

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
