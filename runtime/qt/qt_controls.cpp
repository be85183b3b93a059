// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/qt/qt_controls.hpp"

#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <stdexcept>

#include "runtime/forms/backend.hpp"

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

// A label's or button's Caption, or a text box's Text: all three widgets hold
// their text the same way.
template <typename Widget>
class WidgetText final : public forms::TextControl {
 public:
  explicit WidgetText(Widget* widget) : widget_(widget) {}
  std::u16string Text() const override { return widget_->text().toStdU16String(); }
  void SetText(std::u16string_view text) override { widget_->setText(ToQString(text)); }

 private:
  Widget* widget_;
};

class ComboBoxList final : public forms::ListControl {
 public:
  explicit ComboBoxList(QComboBox* list) : list_(list) {}
  std::u16string Text() const override { return list_->currentText().toStdU16String(); }
  int ListIndex() const override { return list_->currentIndex(); }

 private:
  int Count() const override { return list_->count(); }
  void Select(int index) override { list_->setCurrentIndex(index); }

  QComboBox* list_;
};

// Pixels at the widget's screen density, where a widget draws what the forms'
// thickness rule sizes: the painter is scaled to device pixels.
int DeviceDpi(const QWidget& widget) {
  return qRound(forms::kLayoutDpi * widget.devicePixelRatioF());
}

void ToDevicePixels(QPainter& painter, const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatioF();
  painter.scale(1 / ratio, 1 / ratio);
}

QRect DeviceRect(const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatioF();
  return {0, 0, qRound(widget.width() * ratio), qRound(widget.height() * ratio)};
}

// A frame `thickness` pixels wide along the inside of `rect`, top and left
// in one colour, bottom and right (drawn over the corners) in another.
void DrawFrame(QPainter& painter, const QRect& rect, int thickness, const QColor& top_left,
               const QColor& bottom_right) {
  painter.fillRect(rect.left(), rect.top(), rect.width(), thickness, top_left);
  painter.fillRect(rect.left(), rect.top(), thickness, rect.height(), top_left);
  painter.fillRect(rect.left(), rect.bottom() + 1 - thickness, rect.width(), thickness,
                   bottom_right);
  painter.fillRect(rect.right() + 1 - thickness, rect.top(), thickness, rect.height(),
                   bottom_right);
}

// Enter on a focused button clicks it, as Space does; no button is the
// window's default, so Enter elsewhere clicks nothing. A graphical button
// draws itself as the classic platform did: a flat face of its colour inside a
// raised edge, sunken while it is down, its caption moved a pixel down and
// right while down, and a dotted focus rectangle while it has the focus.
class FormButton final : public QPushButton {
 public:
  FormButton(const QString& text, bool graphical, QWidget* parent)
      : QPushButton(text, parent), graphical_(graphical) {
    setAutoDefault(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }

  void paintEvent(QPaintEvent* event) override {
    if (!graphical_) {
      QPushButton::paintEvent(event);
      return;
    }
    QPainter painter(this);
    painter.save();
    ToDevicePixels(painter, *this);
    const QRect face = DeviceRect(*this);
    const int line = forms::ThicknessToPixels(1, DeviceDpi(*this));
    painter.fillRect(face, palette().color(QPalette::Button));
    const QPalette& standard = QApplication::palette();
    const QColor light = standard.color(QPalette::Light);
    const QColor midlight = standard.color(QPalette::Midlight);
    const QColor dark = standard.color(QPalette::Dark);
    const QColor shadow = standard.color(QPalette::Shadow);
    const QRect inner = face.adjusted(line, line, -line, -line);
    if (isDown()) {
      DrawFrame(painter, face, line, dark, light);
      DrawFrame(painter, inner, line, shadow, midlight);
    } else {
      DrawFrame(painter, face, line, midlight, shadow);
      DrawFrame(painter, inner, line, light, dark);
    }
    painter.restore();
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().translated(isDown() ? QPoint(1, 1) : QPoint()), Qt::AlignCenter,
                     text());
    if (hasFocus()) {
      painter.setPen(QPen(palette().color(QPalette::ButtonText), 0, Qt::DotLine));
      painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
  }

 private:
  bool graphical_;
};

// A label's single-line border is drawn by the label in device pixels, its
// text flush inside it.
class FormLabel final : public QLabel {
 public:
  FormLabel(bool border, QWidget* parent) : QLabel(parent), border_(border) {
    if (border_) {
      const int inset = forms::kBorderPixels;
      setContentsMargins(inset, inset, inset, inset);
      setIndent(0);
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (border_) {
      QPainter painter(this);
      ToDevicePixels(painter, *this);
      const QColor colour(forms::kBorderColour.red, forms::kBorderColour.green,
                          forms::kBorderColour.blue);
      DrawFrame(painter, DeviceRect(*this),
                forms::ThicknessToPixels(forms::kBorderPixels, DeviceDpi(*this)), colour, colour);
    }
  }

 private:
  bool border_;
};

// What a screen reader reads of a label that names nothing: exactly what it
// shows, an empty text while it shows nothing. Qt's own interface would fall
// back to the caption of the label that names it, which a listener could not
// tell apart from a value of that text; that caption stays its name's source
// through the Labelled relation.
class ShownTextAccessible final : public QAccessibleWidget {
 public:
  explicit ShownTextAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
  QString text(QAccessible::Text which) const override {
    if (which == QAccessible::Name) {
      return static_cast<QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(which);
  }
};

constexpr char kShowsItsText[] = "rtShowsItsText";

QAccessibleInterface* ShownTextFactory(const QString& /*class_name*/, QObject* object) {
  auto* label = qobject_cast<QLabel*>(object);
  if (label != nullptr && label->property(kShowsItsText).toBool()) {
    return new ShownTextAccessible(label);
  }
  return nullptr;
}

// Colour roles that each kind paints its background and text with.
struct Roles {
  QPalette::ColorRole back;
  QPalette::ColorRole fore;
};

ControlWidget MakeWidget(const forms::ControlDesign& design, QWidget* parent) {
  QString text = ToQString(design.text);
  switch (design.kind) {
    case forms::ControlKind::kLabel: {
      auto* label = new FormLabel(design.border, parent);
      label->setTextFormat(Qt::PlainText);
      label->setText(text);
      // One line, as designed: with a stand-in font a pixel wider than the
      // designed face, wrapping would push the caption's last word out of sight.
      label->setWordWrap(false);
      label->setAlignment(Horizontal(design.alignment) | Qt::AlignTop);
      // A label that names another control keeps Qt's interface, which
      // carries that relation.
      label->setProperty(kShowsItsText, design.buddy.empty());
      return {label, std::make_unique<WidgetText<QLabel>>(label)};
    }
    case forms::ControlKind::kTextBox: {
      auto* edit = new QLineEdit(text, parent);
      edit->setAlignment(Horizontal(design.alignment) | Qt::AlignTop);
      // Inside its frame, a line edit keeps margins of its own, 2 pixels at
      // the sides and 1 at the top; the text then starts at the forms' inset.
      const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
      const forms::TextInset inset = forms::TextInsetOf(design, forms::kLayoutDpi);
      const int side = std::max(inset.left - frame - 2, 0);
      edit->setTextMargins(side, std::max(inset.top - frame - 1, 0), side, 0);
      return {edit, std::make_unique<WidgetText<QLineEdit>>(edit)};
    }
    case forms::ControlKind::kCommandButton: {
      auto* button = new FormButton(text, design.graphical, parent);
      return {button, std::make_unique<WidgetText<QPushButton>>(button)};
    }
    case forms::ControlKind::kDropDownList: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      for (const auto& item : design.items) {
        list->addItem(ToQString(item));
      }
      list->setCurrentIndex(-1);
      return {list, std::make_unique<ComboBoxList>(list)};
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
  if (design.back_colour && forms::ShowsBackColour(design)) {
    palette.setColor(roles.back, ToQColor(*design.back_colour));
  }
  if (design.fore_colour) {
    palette.setColor(roles.fore, ToQColor(*design.fore_colour));
  }
  widget->setPalette(palette);
}

}  // namespace

int ToPixels(double twips) {
  return forms::TwipsToPixels(twips);
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ToQFont(const forms::Font& font) {
  const QString family = ToQString(font.family);
  QFont result(family);
  // A family with stand-ins, one that this system lacks (see
  // PrepareApplication), is asked for through them first: they are the faces
  // Qt would fall back to, but asked for by the missing name, Qt would first
  // have fontconfig sort every installed font for it, once per family.
  if (QStringList stand_ins = QFont::substitutes(family); !stand_ins.isEmpty()) {
    result.setFamilies(stand_ins << family);
  }
  result.setPointSizeF(font.points);
  result.setBold(font.bold);
  return result;
}

void InstallAccessibleLabels() {
  QAccessible::installFactory(ShownTextFactory);
}

ControlWidget MakeControl(const forms::ControlDesign& design, QWidget* parent,
                          const forms::Font& inherited) {
  ControlWidget built = MakeWidget(design, parent);
  QWidget* widget = built.widget;
  widget->setGeometry(ToPixels(design.left), ToPixels(design.top), ToPixels(design.width),
                      ToPixels(design.height));
  // A font of its own costs each widget a font change as it is built.
  if (const forms::Font& font = forms::FontOf(design); font != inherited) {
    widget->setFont(ToQFont(font));
  }
  ApplyColours(design, widget);
  if (!design.accessible_name.empty()) {
    widget->setAccessibleName(ToQString(design.accessible_name));
  }
  widget->setFocusPolicy(design.tab_index ? Qt::StrongFocus : Qt::NoFocus);
  return built;
}

}  // namespace rt::qt::detail
