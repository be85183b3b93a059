// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "registry/registry_access.hpp"
#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

namespace pellam {

// The registry viewer's window: its design and its handlers, written against
// the forms layer only so that every backend runs them unchanged.
rt::forms::FormDesign FrmPellamDesign();
rt::forms::AppInfo PellamAppInfo();

// Where a window starts so that it sits in the middle of the screen, in whole
// twips: each measure rounded half to even to a 32-bit integer, each half
// truncated towards zero, the difference checked for overflow. Negative when
// the window is the larger.
float CentredOffset(float screen_twips, float window_twips);

// The predefined root that a name of the root list stands for; none for any
// other text, compared exactly.
std::optional<KeyHandle> RootKeyByName(std::u16string_view name);

class FrmPellam final : public rt::forms::FormHandlers {
 public:
  explicit FrmPellam(RegistryAccess& registry) : registry_(registry) {}

  std::vector<rt::forms::ControlRef> Controls() const override;
  void Load(rt::forms::Form& form) override;
  void Click(rt::forms::Form& form, std::u16string_view control, std::optional<int> index) override;

 private:
  void CmdGetValueClick(rt::forms::Form& form);

  RegistryAccess& registry_;
};

}  // namespace pellam
