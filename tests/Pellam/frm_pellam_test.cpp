#include "Pellam/frm_pellam.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/window_smoke.hpp"

int main(int argc, char** argv) {
  testsupport::RecordingRegistry registry;
  pellam::FrmPellam handlers(registry);
  return testsupport::CheckWindow(argc, argv, pellam::FrmPellamDesign(), handlers,
                                  pellam::PellamAppInfo());
}
