#include "runtime/qt/qt_controls.hpp"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <stdexcept>

namespace rt::qt::detail {
namespace {

QColor ToQColor(forms::Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}

Qt::Alignment Horizontal(forms::Alignment alignment) {
  switch (alignment) {
    case forms::Alignment::kCenter:
      return Qt::AlignHCenter;
    case forms::Alignment::kRight:
      return Qt::AlignRight;
    case forms::Alignment::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

[[noreturn]] void NotAList() {
  throw std::logic_error("only a drop-down list has a list index");
}

// A label's or button's Caption, or a text box's Text: all three widgets hold
// their text the same way.
template <typename Widget>
class TextControl final : public forms::Control {
 public:
  explicit TextControl(Widget* widget) : widget_(widget) {}
  std::u16string Text() const override { return widget_->text().toStdU16String(); }
  void SetText(std::u16string_view text) override { widget_->setText(ToQString(text)); }
  int ListIndex() const override { NotAList(); }
  void SetListIndex(int) override { NotAList(); }

 private:
  Widget* widget_;
};

class ListControl final : public forms::Control {
 public:
  explicit ListControl(QComboBox* list) : list_(list) {}
  std::u16string Text() const override { return list_->currentText().toStdU16String(); }
  void SetText(std::u16string_view) override {
    throw std::logic_error("a drop-down list's text is its selected entry");
  }
  int ListIndex() const override { return list_->currentIndex(); }
  void SetListIndex(int index) override {
    if (index < -1 || index >= list_->count()) {
      throw std::out_of_range("no such entry in the drop-down list");
    }
    list_->setCurrentIndex(index);
  }

 private:
  QComboBox* list_;
};

// Colour roles that each kind paints its background and text with.
struct Roles {
  QPalette::ColorRole back;
  QPalette::ColorRole fore;
};

ControlWidget MakeWidget(const forms::ControlDesign& design, QWidget* parent) {
  QString text = ToQString(design.text);
  switch (design.kind) {
    case forms::ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setText(text);
      // One line, as designed: with a stand-in font a pixel wider than the
      // designed face, wrapping would push the caption's last word out of sight.
      label->setWordWrap(false);
      label->setAlignment(Horizontal(design.alignment) | Qt::AlignTop);
      if (design.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
      }
      return {label, std::make_unique<TextControl<QLabel>>(label)};
    }
    case forms::ControlKind::kTextBox: {
      auto* edit = new QLineEdit(text, parent);
      edit->setAlignment(Horizontal(design.alignment) | Qt::AlignVCenter);
      return {edit, std::make_unique<TextControl<QLineEdit>>(edit)};
    }
    case forms::ControlKind::kCommandButton: {
      auto* button = new QPushButton(text, parent);
      // A plain window has no default button: Enter in a text box clicks nothing.
      button->setAutoDefault(false);
      return {button, std::make_unique<TextControl<QPushButton>>(button)};
    }
    case forms::ControlKind::kDropDownList: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      for (const auto& item : design.items) {
        list->addItem(ToQString(item));
      }
      list->setCurrentIndex(-1);
      return {list, std::make_unique<ListControl>(list)};
    }
  }
  throw std::invalid_argument("unknown control kind");
}

Roles RolesOf(forms::ControlKind kind) {
  switch (kind) {
    case forms::ControlKind::kLabel:
      return {QPalette::Window, QPalette::WindowText};
    case forms::ControlKind::kCommandButton:
      return {QPalette::Button, QPalette::ButtonText};
    case forms::ControlKind::kTextBox:
    case forms::ControlKind::kDropDownList:
      break;
  }
  return {QPalette::Base, QPalette::Text};
}

void ApplyColours(const forms::ControlDesign& design, QWidget* widget) {
  Roles roles = RolesOf(design.kind);
  QPalette palette = widget->palette();
  if (design.kind == forms::ControlKind::kLabel) {
    // Labels are opaque: without a colour of their own they keep the standard
    // control face rather than the window's background.
    widget->setAutoFillBackground(true);
    palette.setColor(roles.back, QApplication::palette().color(QPalette::Button));
  }
  bool shows_back = design.kind != forms::ControlKind::kCommandButton || design.graphical;
  if (design.back_colour && shows_back) {
    palette.setColor(roles.back, ToQColor(*design.back_colour));
  }
  if (design.fore_colour) {
    palette.setColor(roles.fore, ToQColor(*design.fore_colour));
  }
  widget->setPalette(palette);
}

}  // namespace

int ToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ToQFont(const forms::Font& font) {
  QFont result(ToQString(font.family));
  result.setPointSizeF(font.points);
  result.setBold(font.bold);
  return result;
}

ControlWidget MakeControl(const forms::ControlDesign& design, QWidget* parent) {
  ControlWidget built = MakeWidget(design, parent);
  QWidget* widget = built.widget;
  widget->setGeometry(ToPixels(design.left), ToPixels(design.top), ToPixels(design.width),
                      ToPixels(design.height));
  // The forms' default font is the application's (see PrepareApplication); a
  // font of its own costs each widget a font change as it is built.
  if (design.font && *design.font != forms::kDefaultFont) {
    widget->setFont(ToQFont(*design.font));
  }
  ApplyColours(design, widget);
  if (!design.accessible_name.empty()) {
    widget->setAccessibleName(ToQString(design.accessible_name));
  }
  widget->setFocusPolicy(design.tab_index ? Qt::StrongFocus : Qt::NoFocus);
  return built;
}

}  // namespace rt::qt::detail
