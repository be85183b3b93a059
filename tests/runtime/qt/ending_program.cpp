// A program on RunProgram whose handlers end it one way or another, chosen by
// its argument: "unload", "click-error" or "load-error". Messages go to
// standard output instead of a dialog.
#include <QMetaObject>
#include <QPushButton>

#include <cstdio>
#include <string_view>

#include "runtime/core/run_time_error.hpp"
#include "runtime/qt/qt_form.hpp"

namespace {

class EndingHandlers final : public rt::forms::FormHandlers {
 public:
  explicit EndingHandlers(std::string_view mode) : mode_(mode) {}

  std::vector<rt::forms::ControlRef> Controls() const override { return {}; }
  void Load(rt::forms::Form& form) override {
    if (mode_ == "load-error") {
      rt::Raise(rt::ErrorNumber::kDivisionByZero);
    }
    // Clicks the button once the event loop runs, as a user would.
    auto* button = static_cast<rt::qt::QtForm&>(form).widgetOf(u"cmdEnd");
    QMetaObject::invokeMethod(
        button, [button] { static_cast<QPushButton*>(button)->click(); }, Qt::QueuedConnection);
  }

  void Click(rt::forms::Form& form, std::u16string_view, std::optional<int>) override {
    if (mode_ == "click-error") {
      rt::Raise(rt::ErrorNumber::kOverflow);
    }
    form.Unload();
  }

 private:
  std::string_view mode_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: rt_qt_ending_program unload|click-error|load-error\n", stderr);
    return 2;
  }
  rt::forms::FormDesign design{
      .name = u"frmEnding",
      .caption = u"Ending",
      .client_width = 1500,
      .client_height = 900,
      .controls = {{.kind = rt::forms::ControlKind::kCommandButton,
                    .name = u"cmdEnd",
                    .text = u"End",
                    .left = 120,
                    .top = 120,
                    .width = 1000,
                    .height = 375,
                    .tab_index = 0}},
  };
  EndingHandlers handlers(argv[1]);
  return rt::qt::RunProgram(argc, argv, design, handlers, {u"Sample", 1, 0, 0},
                            [](QWidget*, const QString& caption, const QString& text) {
                              std::printf("%s: %s", qPrintable(caption), qPrintable(text));
                            });
}
