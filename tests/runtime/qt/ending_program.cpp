// The sample window as a whole program on RunProgram, ended by a click on the
// button its argument names, or by a run-time error in Load for "Load".
// Messages go to standard output instead of a dialog.
#include <QMetaObject>
#include <QPushButton>

#include <cstdio>
#include <string>

#include "runtime/qt/qt_form.hpp"
#include "tests/support/sample_design.hpp"

namespace {

class Ending final : public rt::forms::FormHandlers {
 public:
  explicit Ending(std::string ending) : ending_(ending.begin(), ending.end()) {
    sample_.fail_at_load = ending == "Load";
  }
  std::vector<rt::forms::ControlRef> Controls() const override { return sample_.Controls(); }
  void Click(rt::forms::Form& form, std::u16string_view name, std::optional<int> index) override {
    sample_.Click(form, name, index);
  }
  // Clicks the button once the event loop runs, as a user would.
  void Load(rt::forms::Form& form) override {
    sample_.Load(form);
    auto* button = qobject_cast<QPushButton*>(static_cast<rt::qt::QtForm&>(form).widgetOf(ending_));
    QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
  }

 private:
  testsupport::sample::SampleHandlers sample_;
  std::u16string ending_;
};

}  // namespace

int main(int argc, char** argv) {
  Ending handlers(argc == 2 ? argv[1] : "");
  return rt::qt::RunProgram(argc, argv, testsupport::sample::SampleDesign(), handlers,
                            testsupport::sample::SampleApp(),
                            [](QWidget*, const QString& caption, const QString& text) {
                              std::printf("%s: %s", qPrintable(caption), qPrintable(text));
                            });
}
