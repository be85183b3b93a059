// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt::forms {

// A window design as data: every measure in twips
// (1/1440 inch; 15 twips are one logical pixel at 96 dpi).

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Font {
  std::u16string family;  // as designed, e.g. u"MS Sans Serif"
  double points = 8.25;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// The font of a control whose design names none.
inline const Font kDefaultFont{u"MS Sans Serif", 8.25, false};

enum class ControlKind { kLabel, kTextBox, kCommandButton, kDropDownList };
enum class Alignment { kLeft, kCenter, kRight };

struct ControlDesign {
  ControlKind kind = ControlKind::kLabel;
  std::u16string name;
  std::optional<int> index;  // set for the members of a control array
  std::u16string text;       // Caption of a label or button, Text of a text box
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::optional<Font> font;  // kDefaultFont when unset
  std::optional<Rgb> fore_colour;
  std::optional<Rgb> back_colour;  // a button's face colour when it is graphical
  // A button drawn in the graphical style, the only style that shows its face
  // colour; a standard button keeps the platform's face.
  bool graphical = false;
  Alignment alignment = Alignment::kLeft;
  bool border = false;                // a label's single-line border
  std::optional<int> tab_index;       // focus order; unset for controls that take no focus
  std::vector<std::u16string> items;  // the entries of a drop-down list
  // What a screen reader announces for a text box or a drop-down list, whose
  // own text is their value. A label's or button's caption is what it shows,
  // so it is also its name, and a label or button may not have this.
  std::u16string accessible_name;
  // A label: the control it names (by name; not a member of a control array).
  // A screen reader reads it with that control, whose own name stays its
  // caption or value; on Linux a drop-down list is announced by its selected
  // entry, and only such a label tells what the list is for.
  std::u16string buddy;
};

// A horizontal or vertical line drawn on the window in the default line
// colour, centred on its coordinates across its thickness.
struct LineDesign {
  std::u16string name;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  int width_pixels = 1;
};

// An image among the program's resources, by a name that each backend
// resolves in its own way: the Qt backend loads the PNG that its build made of
// the image, ":/images/<name without suffix>.png", the Win32
// backend the resource of that name.
struct ImageRef {
  std::u16string resource;
  friend bool operator==(const ImageRef&, const ImageRef&) = default;
};

struct PictureDesign {
  ImageRef image;
  int left = 0;
  int top = 0;
};

struct FormDesign {
  std::u16string name;
  std::u16string caption;
  int client_width = 0;
  int client_height = 0;
  std::optional<Rgb> back_colour;
  std::optional<ImageRef> icon;  // the platform's default window icon when unset
  std::optional<PictureDesign> picture;
  std::vector<LineDesign> lines;
  std::vector<ControlDesign> controls;
};

// What the platform knows of the program as a whole.
struct AppInfo {
  std::u16string title;  // the caption of message boxes
  int major = 0;
  int minor = 0;
  int revision = 0;
  // The ID of the program's desktop entry, which its windows carry so that a
  // desktop shell can tie them to the entry; empty where there is none.
  std::u16string desktop_id;
};

}  // namespace rt::forms
