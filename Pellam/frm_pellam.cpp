// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Pellam/frm_pellam.hpp"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "Pellam/version.hpp"
#include "registry/message_sink.hpp"
#include "registry/read_registry_string.hpp"
#include "registry/registry_constants.hpp"
#include "runtime/core/currency.hpp"
#include "runtime/core/run_time_error.hpp"

namespace pellam {
namespace {

using rt::forms::ControlKind;

// The registry reader reports its failures in the window's message boxes.
class FormMessages final : public MessageSink {
 public:
  explicit FormMessages(rt::forms::Form& form) : form_(form) {}
  void Show(std::u16string_view text) override { form_.MsgBox(text); }

 private:
  rt::forms::Form& form_;
};

// The list starts at HKEY_LOCAL_MACHINE.
constexpr int kLocalMachineIndex =
    static_cast<int>(std::ranges::find(reg::kRootsByName, reg::kLocalMachine,
                                       &decltype(reg::kRootsByName)::value_type::second) -
                     reg::kRootsByName.begin());

// The controls the handlers use; the design names them through these too.
constexpr rt::forms::ControlRef kRoot{u"cboHKey"};
constexpr rt::forms::ControlRef kKey{u"txtKey"};
constexpr rt::forms::ControlRef kSubkey{u"txtSubkey"};
constexpr rt::forms::ControlRef kGetValue{u"cmdGetValue"};
constexpr rt::forms::ControlRef kValue{u"lblValue"};

}  // namespace

rt::forms::FormDesign FrmPellamDesign() {
  std::vector<std::u16string> roots;
  roots.reserve(reg::kRootsByName.size());
  for (const auto& [name, key] : reg::kRootsByName) {
    roots.emplace_back(name);
  }
  return {
      .name = u"frmPellam",
      .caption = u"Pellam",
      .client_width = 7320,
      .client_height = 2145,
      .back_colour = rt::forms::Rgb{255, 192, 192},
      .icon = rt::forms::ImageRef{u"window-icon.png"},
      .controls =
          {
              {.name = u"Label1",
               .index = 0,
               .text = u"Root",
               .left = 120,
               .top = 120,
               .width = 495,
               .height = 255,
               .buddy = std::u16string(kRoot.name)},
              {.kind = ControlKind::kDropDownList,
               .name = std::u16string(kRoot.name),
               .left = 720,
               .top = 120,
               .width = 2895,
               .height = 315,
               .tab_index = 0,
               .items = std::move(roots),
               .accessible_name = u"Root"},
              {.name = u"Label1",
               .index = 1,
               .text = u"Key",
               .left = 120,
               .top = 600,
               .width = 495,
               .height = 255,
               .buddy = std::u16string(kKey.name)},
              {.kind = ControlKind::kTextBox,
               .name = std::u16string(kKey.name),
               .text = u"SOFTWARE\\Oxbury Options",
               .left = 720,
               .top = 600,
               .width = 6495,
               .height = 285,
               .tab_index = 2,
               .accessible_name = u"Key"},
              {.name = u"Label1",
               .index = 3,
               .text = u"Subkey",
               .left = 120,
               .top = 960,
               .width = 615,
               .height = 255,
               .buddy = std::u16string(kSubkey.name)},
              {.kind = ControlKind::kTextBox,
               .name = std::u16string(kSubkey.name),
               .text = u"Version",
               .left = 720,
               .top = 960,
               .width = 6495,
               .height = 285,
               .tab_index = 3,
               .accessible_name = u"Subkey"},
              {.kind = ControlKind::kCommandButton,
               .name = std::u16string(kGetValue.name),
               .text = u"Get Value",
               .left = 3000,
               .top = 1320,
               .width = 1095,
               .height = 375,
               .alignment = rt::forms::Alignment::kCenter,
               .tab_index = 1},
              {.name = u"Label1",
               .index = 2,
               .text = u"Value",
               .left = 120,
               .top = 1800,
               .width = 495,
               .height = 255,
               .buddy = std::u16string(kValue.name)},
              {.name = std::u16string(kValue.name),
               .left = 720,
               .top = 1800,
               .width = 6495,
               .height = 255,
               .border = true},
          },
  };
}

rt::forms::AppInfo PellamAppInfo() {
  return {u"Pellam", kVersionMajor, kVersionMinor, kVersionRevision, kDesktopId};
}

float CentredOffset(float screen_twips, float window_twips) {
  std::int32_t difference = 0;
  if (__builtin_sub_overflow(rt::ToInt32(screen_twips) / 2, rt::ToInt32(window_twips) / 2,
                             &difference)) {
    rt::Raise(rt::ErrorNumber::kOverflow);
  }
  return static_cast<float>(difference);
}

std::optional<KeyHandle> RootKeyByName(std::u16string_view name) {
  for (const auto& [root_name, key] : reg::kRootsByName) {
    if (name == root_name) {
      return key;
    }
  }
  return std::nullopt;
}

std::vector<rt::forms::ControlRef> FrmPellam::Controls() const {
  return {kRoot, kKey, kSubkey, kGetValue, kValue};
}

void FrmPellam::Load(rt::forms::Form& form) {
  form.SetTop(CentredOffset(form.ScreenHeight(), form.Height()));
  form.SetLeft(CentredOffset(form.ScreenWidth(), form.Width()));
  form.ControlNamed(kRoot).SetListIndex(kLocalMachineIndex);
}

void FrmPellam::Click(rt::forms::Form& form, std::u16string_view control,
                      std::optional<int> index) {
  if (kGetValue.Is(control, index)) {
    CmdGetValueClick(form);
  }
}

void FrmPellam::CmdGetValueClick(rt::forms::Form& form) {
  std::optional<KeyHandle> root = RootKeyByName(form.ControlNamed(kRoot).Text());
  if (!root) {
    return;
  }
  FormMessages messages(form);
  form.ControlNamed(kValue).SetText(ReadRegistryString(registry_, messages, *root,
                                                       form.ControlNamed(kKey).Text(),
                                                       form.ControlNamed(kSubkey).Text()));
}

}  // namespace pellam
