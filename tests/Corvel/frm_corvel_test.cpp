#include "Corvel/frm_corvel.hpp"
#include "tests/support/scripted_ticks.hpp"
#include "tests/support/window_smoke.hpp"

int main(int argc, char** argv) {
  testsupport::ScriptedTicks ticks;
  corvel::FrmCorvel handlers(ticks);
  return testsupport::CheckWindow(argc, argv, corvel::FrmCorvelDesign(), handlers,
                                  corvel::CorvelAppInfo());
}
