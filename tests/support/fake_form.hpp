#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

namespace testsupport {

// A control of FakeForm: a caption or text, or a drop-down list's entries and
// selection; misuse throws as the real backends do.
class FakeControl final : public rt::forms::Control {
 public:
  explicit FakeControl(const rt::forms::ControlDesign& design)
      : is_list_(design.kind == rt::forms::ControlKind::kDropDownList),
        text_(design.text),
        items_(design.items) {}

  std::u16string Text() const override {
    if (!is_list_) {
      return text_;
    }
    return index_ < 0 ? std::u16string() : items_[static_cast<std::size_t>(index_)];
  }
  void SetText(std::u16string_view text) override {
    if (is_list_) {
      throw std::logic_error("a drop-down list's text is its selected entry");
    }
    text_ = text;
  }
  int ListIndex() const override {
    ListOnly();
    return index_;
  }
  void SetListIndex(int index) override {
    ListOnly();
    if (index < -1 || index >= static_cast<int>(items_.size())) {
      throw std::out_of_range("no such entry in the drop-down list");
    }
    index_ = index;
  }
  std::vector<std::u16string>& items() { return items_; }

 private:
  void ListOnly() const {
    if (!is_list_) {
      throw std::logic_error("only a drop-down list has a list index");
    }
  }

  bool is_list_;
  std::u16string text_;
  std::vector<std::u16string> items_;
  int index_ = -1;
};

// A window with no toolkit behind it: the handlers' view of a form, built from
// a design, that records what they do to it. Width and Height start as the
// design's client size; tests set them and the screen as they need.
class FakeForm final : public rt::forms::Form {
 public:
  FakeForm(const rt::forms::FormDesign& design, rt::forms::AppInfo app) : app_(std::move(app)) {
    for (const auto& control : design.controls) {
      controls_.emplace(Key{control.name, control.index}, FakeControl(control));
    }
    width = static_cast<float>(design.client_width);
    height = static_cast<float>(design.client_height);
  }

  FakeControl& control(std::u16string_view name) override { return Lookup(name, std::nullopt); }
  FakeControl& control(std::u16string_view name, int index) override { return Lookup(name, index); }
  using rt::forms::Form::control;

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
  using Key = std::pair<std::u16string, std::optional<int>>;

  FakeControl& Lookup(std::u16string_view name, std::optional<int> index) {
    auto found = controls_.find(Key{std::u16string(name), index});
    if (found == controls_.end()) {
      throw std::out_of_range("no such control");
    }
    return found->second;
  }

  rt::forms::AppInfo app_;
  std::map<Key, FakeControl> controls_;
};

}  // namespace testsupport
