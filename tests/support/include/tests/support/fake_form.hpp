// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/forms/form.hpp"

namespace testsupport {

// A control of FakeForm: a caption or text, or a drop-down list's entries and
// selection. A name or entry that is not there throws, as in the real backends.
class FakeControl final : public rt::forms::Control {
 public:
  explicit FakeControl(const rt::forms::ControlDesign& design)
      : text(design.text), items(design.items) {}
  std::u16string Text() const override {
    return items.empty() ? text : index < 0 ? u"" : items.at(static_cast<std::size_t>(index));
  }
  void SetText(std::u16string_view value) override { text = value; }
  int ListIndex() const override { return index; }
  void SetListIndex(int value) override {
    if (value < -1 || value >= static_cast<int>(items.size())) {
      throw std::out_of_range("no such entry in the drop-down list");
    }
    index = value;
  }

  std::u16string text;
  std::vector<std::u16string> items;
  int index = -1;
};

// A window with no toolkit behind it, built from a design, recording what
// handlers do to it. Its size and the screen's are set by each test.
class FakeForm final : public rt::forms::Form {
 public:
  FakeForm(const rt::forms::FormDesign& design, rt::forms::AppInfo app) : app_(std::move(app)) {
    for (const auto& control : design.controls) {
      controls_.try_emplace({control.name, control.index}, control);
    }
  }
  using rt::forms::Form::ControlNamed;
  FakeControl& ControlNamed(std::u16string_view name) override {
    return controls_.at({std::u16string(name), std::nullopt});
  }
  FakeControl& ControlNamed(std::u16string_view name, int index) override {
    return controls_.at({std::u16string(name), index});
  }
  float Width() const override { return width; }
  float Height() const override { return height; }
  void SetLeft(float twips) override { left = twips; }
  void SetTop(float twips) override { top = twips; }
  float ScreenWidth() const override { return screen_width; }
  float ScreenHeight() const override { return screen_height; }
  const rt::forms::AppInfo& App() const override { return app_; }
  void MsgBox(std::u16string_view text) override { messages.emplace_back(text); }
  void Unload() override { unloaded = true; }

  float width = 0;
  float height = 0;
  float screen_width = 12000;
  float screen_height = 9000;
  std::optional<float> left;
  std::optional<float> top;
  std::vector<std::u16string> messages;
  bool unloaded = false;

 private:
  rt::forms::AppInfo app_;
  std::map<std::pair<std::u16string, std::optional<int>>, FakeControl> controls_;
};

}  // namespace testsupport
