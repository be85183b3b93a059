// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Corvel/tick_source.hpp"
#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

namespace corvel {

// The uptime window: its design and its handlers, written against the forms
// layer only so that every backend runs them unchanged.
rt::forms::FormDesign FrmCorvelDesign();
rt::forms::AppInfo CorvelAppInfo();

// Where a window starts so that it sits in the middle of the screen; negative
// when the window is the larger, since nothing clamps it.
float CentredOffset(float screen_twips, float window_twips);
// "Version: 1.0.3".
std::u16string VersionText(const rt::forms::AppInfo& app);

class FrmCorvel final : public rt::forms::FormHandlers {
 public:
  explicit FrmCorvel(TickSource& ticks) : ticks_(ticks) {}

  std::vector<rt::forms::ControlRef> Controls() const override;
  void Load(rt::forms::Form& form) override;
  void Click(rt::forms::Form& form, std::u16string_view control, std::optional<int> index) override;

 private:
  void CmdStartClick(rt::forms::Form& form);

  TickSource& ticks_;
};

}  // namespace corvel
