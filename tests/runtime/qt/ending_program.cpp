// The sample window as a whole program on RunProgram, ended before it shows:
// by a run-time error in Load, then by a design it cannot be built from.
// Passes when each run ends with exit code 1 after its one message, shown
// through the given message box.
#include <cstdio>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/sample_design.hpp"

int main(int argc, char** argv) {
  using namespace testsupport::sample;
  SampleHandlers handlers;
  handlers.fail_at_load = true;
  auto run = [&](const rt::forms::FormDesign& design) {
    QString shown;
    const int code = rt::qt::RunProgram(argc, argv, design, handlers, SampleApp(),
                                        [&](QWidget*, const QString& caption, const QString& text) {
                                          shown += caption + ": " + text;
                                        });
    return QString::number(code) + " " + shown;
  };
  rt::forms::FormDesign faulty = SampleDesign();
  faulty.controls.push_back(faulty.controls.front());
  const QString seen = run(SampleDesign()) + "|" + run(faulty);
  std::printf("%s\n", qPrintable(seen));
  return seen == "1 Sample: Run-time error '11':\n\nDivision by zero|"
                 "1 Sample: the window frmSample has two controls named lblCaption(0)"
             ? 0
             : 2;
}
