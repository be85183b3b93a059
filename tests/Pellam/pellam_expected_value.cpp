// Pellam's window as it looks with a given text in lblValue, under another
// title, for the end-to-end test to compare the real window against on the
// same display.
//
// usage: pellam_expected_value TEXT
#include <QString>

#include <string>

#include "Pellam/frm_pellam.hpp"
#include "runtime/qt/qt_form.hpp"

namespace {

class ShowsValue final : public rt::forms::FormHandlers {
 public:
  explicit ShowsValue(std::u16string value) : value_(std::move(value)) {}
  std::vector<rt::forms::ControlRef> Controls() const override { return {}; }
  void Load(rt::forms::Form& form) override { form.control(u"lblValue").SetText(value_); }
  void Click(rt::forms::Form&, std::u16string_view, std::optional<int>) override {}

 private:
  std::u16string value_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  rt::forms::FormDesign design = pellam::FrmPellamDesign();
  design.caption = u"Pellam expected";
  ShowsValue handlers(QString::fromUtf8(argv[1]).toStdU16String());
  return rt::qt::RunProgram(argc, argv, design, handlers, pellam::PellamAppInfo());
}
