#include "Pellam/frm_pellam.hpp"

#include "tests/support/recording_registry.hpp"
#include "tests/support/window_smoke.hpp"

class FrmPellamTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsWithEveryCaptionInSight() {
    testsupport::RecordingRegistry registry;
    pellam::FrmPellam handlers(registry);
    testsupport::CheckWindow(pellam::FrmPellamDesign(), handlers, pellam::PellamAppInfo());
  }
};

QTEST_MAIN(FrmPellamTest)
#include "frm_pellam_test.moc"
