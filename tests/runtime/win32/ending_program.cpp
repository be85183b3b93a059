// The sample window as a whole program, ended one way or another as chosen by
// its first argument: "exit", "fail", "close" or "load-error". Its message
// boxes are appended to the file named by the second argument.
#include <windows.h>

#include <fstream>
#include <string>

#include "runtime/core/ansi_codec.hpp"
#include "runtime/win32/win32_form.hpp"
#include "tests/support/sample_design.hpp"

namespace {

// The sample's handlers, with a click or a close queued at Load, so that it
// arrives once the message loop runs, as a user's would.
class Ending final : public rt::forms::FormHandlers {
 public:
  explicit Ending(std::string mode) : mode_(std::move(mode)) {
    sample_.fail_at_load = mode_ == "load-error";
  }
  std::vector<rt::forms::ControlRef> Controls() const override { return sample_.Controls(); }
  void Load(rt::forms::Form& form) override {
    sample_.Load(form);
    auto& window = static_cast<rt::win32::Win32Form&>(form);
    rt::forms::ControlRef button =
        mode_ == "fail" ? testsupport::sample::kFail : testsupport::sample::kExit;
    PostMessageW(mode_ == "close" ? window.window() : window.WindowOf(button.name),
                 mode_ == "close" ? WM_CLOSE : BM_CLICK, 0, 0);
  }
  void Click(rt::forms::Form& form, std::u16string_view name, std::optional<int> index) override {
    sample_.Click(form, name, index);
  }

 private:
  std::string mode_;
  testsupport::sample::SampleHandlers sample_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    return 2;
  }
  Ending handlers(argv[1]);
  std::string path = argv[2];
  return rt::win32::RunProgram(
      testsupport::sample::SampleDesign(), handlers, testsupport::sample::SampleApp(),
      [&path](HWND, std::u16string_view caption, std::u16string_view text) {
        std::ofstream(path, std::ios::app | std::ios::binary)
            << rt::ToAnsi(caption) << ": " << rt::ToAnsi(text);
      });
}
