// Runs on a 297 x 212 screen, smaller than the window's 357 x 292.
#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "tests/Corvel/corvel_window.hpp"

class FrmCorvelSmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, corvel::CorvelAppInfo()); }

  void centringDoesNotClampAWindowLargerThanTheScreen() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(297, 212));
    testsupport::CorvelWindow window;
    QVERIFY(window.Start());
    QCOMPARE(window.form.frameGeometry().topLeft(), QPoint(-30, -40));
  }
};

QTEST_MAIN(FrmCorvelSmallScreenTest)
#include "frm_corvel_small_screen_test.moc"
