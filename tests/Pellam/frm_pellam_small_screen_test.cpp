// Runs on a 400 x 100 screen, smaller than the window's 488 x 143.
#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "tests/Pellam/pellam_window.hpp"
#include "tests/support/recording_registry.hpp"

class FrmPellamSmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, pellam::PellamAppInfo()); }

  // Left: 6000 \ 2 - 7320 \ 2 = -660 twips, -44 pixels. Top: 1500 \ 2 -
  // 2145 \ 2 = -322 twips, -21.5 pixels had the half twip been kept.
  void centringDoesNotClampAWindowLargerThanTheScreen() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(400, 100));
    testsupport::RecordingRegistry registry;
    testsupport::PellamWindow window(registry);
    QVERIFY(window.Start());
    QCOMPARE(window.form.frameGeometry().topLeft(), QPoint(-44, -21));
  }
};

QTEST_MAIN(FrmPellamSmallScreenTest)
#include "frm_pellam_small_screen_test.moc"
