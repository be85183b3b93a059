// A program on RunProgram whose handlers end it one way or another, chosen by
// its first argument: "unload", "close", "click-error" or "load-error". Its
// message boxes are appended to the file named by the second argument.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "runtime/core/ansi_codec.hpp"
#include "runtime/core/run_time_error.hpp"
#include "runtime/win32/win32_form.hpp"

namespace {

class EndingHandlers final : public rt::forms::FormHandlers {
 public:
  explicit EndingHandlers(std::string_view mode) : mode_(mode) {}

  void Load(rt::forms::Form& form) override {
    if (mode_ == "load-error") {
      rt::Raise(rt::ErrorNumber::kDivisionByZero);
    }
    // Queued, so that it arrives once the message loop runs, as a user's would.
    auto& window = static_cast<rt::win32::Win32Form&>(form);
    if (mode_ == "close") {
      PostMessageW(window.window(), WM_CLOSE, 0, 0);
    } else {
      PostMessageW(window.WindowOf(u"cmdEnd"), BM_CLICK, 0, 0);
    }
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
  if (argc != 3) {
    std::fputs("usage: rt_win32_ending_program MODE MESSAGES_FILE\n", stderr);
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
  std::string path = argv[2];
  return rt::win32::RunProgram(
      design, handlers, {u"Sample", 1, 0, 0},
      [&path](HWND, std::u16string_view caption, std::u16string_view text) {
        std::ofstream(path, std::ios::app | std::ios::binary)
            << rt::ToAnsi(caption) << ": " << rt::ToAnsi(text);
      });
}
