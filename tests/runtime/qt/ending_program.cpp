// The sample window as a whole program on RunProgram whose Load raises a
// run-time error. Passes when the program ends with exit code 1 after the
// error's one message, shown through the given message box.
#include <cstdio>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/sample_design.hpp"

int main(int argc, char** argv) {
  testsupport::sample::SampleHandlers handlers;
  handlers.fail_at_load = true;
  QString shown;
  const int code = rt::qt::RunProgram(argc, argv, testsupport::sample::SampleDesign(), handlers,
                                      testsupport::sample::SampleApp(),
                                      [&](QWidget*, const QString& caption, const QString& text) {
                                        shown += caption + ": " + text;
                                      });
  std::printf("exit code %d, shown \"%s\"\n", code, qPrintable(shown));
  return code == 1 && shown == "Sample: Run-time error '11':\n\nDivision by zero" ? 0 : 2;
}
