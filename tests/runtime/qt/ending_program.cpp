// The sample window as a whole program on RunProgram, ended by a run-time
// error: in Load when its argument is "Load", else by a click on cmdFail once
// the event loop runs. Passes when the program ends with exit code 1 after
// the error's one message, shown through the given message box.
#include <QMetaObject>
#include <QPushButton>

#include <cstdio>
#include <string_view>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/sample_design.hpp"

namespace {

class Ending final : public testsupport::sample::SampleHandlers {
 public:
  void Load(rt::forms::Form& form) override {
    SampleHandlers::Load(form);
    QWidget* fail = static_cast<rt::qt::QtForm&>(form).widgetOf(testsupport::sample::kFail.name);
    QMetaObject::invokeMethod(qobject_cast<QPushButton*>(fail), &QPushButton::click,
                              Qt::QueuedConnection);
  }
};

}  // namespace

int main(int argc, char** argv) {
  Ending handlers;
  handlers.fail_at_load = argc == 2 && std::string_view(argv[1]) == "Load";
  QString shown;
  const int code = rt::qt::RunProgram(argc, argv, testsupport::sample::SampleDesign(), handlers,
                                      testsupport::sample::SampleApp(),
                                      [&](QWidget*, const QString& caption, const QString& text) {
                                        shown += caption + ": " + text;
                                      });
  const QString expected = handlers.fail_at_load
                               ? "Sample: Run-time error '11':\n\nDivision by zero"
                               : "Sample: Run-time error '6':\n\nOverflow";
  std::printf("exit code %d, shown \"%s\"\n", code, qPrintable(shown));
  return code == 1 && shown == expected ? 0 : 2;
}
