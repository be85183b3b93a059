#include "Corvel/frm_corvel.hpp"

#include "tests/support/scripted_ticks.hpp"
#include "tests/support/window_smoke.hpp"

class FrmCorvelTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsWithEveryCaptionInSight() {
    testsupport::ScriptedTicks ticks;
    corvel::FrmCorvel handlers(ticks);
    testsupport::CheckWindow(corvel::FrmCorvelDesign(), handlers, corvel::CorvelAppInfo());
  }
};

QTEST_MAIN(FrmCorvelTest)
#include "frm_corvel_test.moc"
