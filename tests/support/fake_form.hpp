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
// handlers do to it. Width and Height start as the design's client size.
class FakeForm final : public rt::forms::Form {
 public:
  FakeForm(const rt::forms::FormDesign& design, rt::forms::AppInfo app)
      : width(static_cast<float>(design.client_width)),
        height(static_cast<float>(design.client_height)),
        app_(std::move(app)) {
    for (const auto& control : design.controls) {
      controls_.emplace(std::pair{control.name, control.index}, FakeControl(control));
    }
  }
  using rt::forms::Form::control;
  FakeControl& control(std::u16string_view name) override { return Find(name, std::nullopt); }
  FakeControl& control(std::u16string_view name, int index) override { return Find(name, index); }
  float Width() const override { return width; }
  float Height() const override { return height; }
  void SetLeft(float twips) override { left = twips; }
  void SetTop(float twips) override { top = twips; }
  float ScreenWidth() const override { return screen_width; }
  float ScreenHeight() const override { return screen_height; }
  const rt::forms::AppInfo& App() const override { return app_; }
  void MsgBox(std::u16string_view text) override { messages.emplace_back(text); }
  void Unload() override { unloaded = true; }

  float width;
  float height;
  float screen_width = 12000;
  float screen_height = 9000;
  std::optional<float> left;
  std::optional<float> top;
  std::vector<std::u16string> messages;
  bool unloaded = false;

 private:
  FakeControl& Find(std::u16string_view name, std::optional<int> index) {
    auto found = controls_.find(std::pair{std::u16string(name), index});
    return found != controls_.end() ? found->second : throw std::out_of_range("no such control");
  }

  rt::forms::AppInfo app_;
  std::map<std::pair<std::u16string, std::optional<int>>, FakeControl> controls_;
};

}  // namespace testsupport
