// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/qt/qt_form.hpp"

#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "runtime/qt/frame_before_show.hpp"
#include "runtime/qt/qt_controls.hpp"

namespace rt::qt {
namespace {

using detail::ToPixels;
using detail::ToQString;

// The build embeds every image as PNG, "<name without suffix>.png".
QString ResourcePath(const forms::ImageRef& image) {
  QString path = QStringLiteral(":/images/") + ToQString(image.resource);
  return path.left(path.lastIndexOf(u'.')) + QStringLiteral(".png");
}

// Read as PNG by QtGui's own reader: left to guess, Qt would first load every
// image-format plugin to ask whether it reads the file, which costs start-up.
QPixmap ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

// An image made for twice the density, "<name>@2x.png" beside the image
// named, serves screens denser than 1x; it is drawn at the same logical size.
QPixmap LoadImageFor(qreal device_pixel_ratio, const QString& path) {
  if (device_pixel_ratio > 1.0) {
    QString doubled = path.left(path.lastIndexOf(u'.')) + QStringLiteral("@2x.png");
    if (QFile::exists(doubled)) {
      QPixmap pixmap = ReadPng(doubled);
      pixmap.setDevicePixelRatio(2.0);
      return pixmap;
    }
  }
  return ReadPng(path);
}

float ToTwips(int pixels) {
  return static_cast<float>(pixels * detail::kTwipsPerPixel);
}

}  // namespace

QtForm::QtForm(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app,
               MessageBoxFunction message_box)
    : FormCore(design, handlers, std::move(app)),
      message_box_(std::move(message_box)),
      window_font_(forms::CommonFont(this->design())) {
  setObjectName(ToQString(design.name));
  // The design's most common font is the window's, which the controls that
  // have it inherit; only the others get a font of their own.
  setFont(detail::ToQFont(window_font_));
  setWindowTitle(ToQString(design.caption));
  // The designs are laid out for one size; a fixed border keeps them whole.
  setFixedSize(ToPixels(design.client_width), ToPixels(design.client_height));
  if (design.back_colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(design.back_colour->red, design.back_colour->green,
                                              design.back_colour->blue));
    setPalette(palette);
    setAutoFillBackground(true);
  }
  if (design.icon) {
    setWindowIcon(QIcon(ReadPng(ResourcePath(*design.icon))));
  }
  if (design.picture) {
    picture_ = LoadImageFor(devicePixelRatioF(), ResourcePath(design.picture->image));
    picture_position_ = {ToPixels(design.picture->left), ToPixels(design.picture->top)};
  }
  // Made now, so that Load knows the window's frame.
  create();
  frame_before_show_ = detail::FrameBeforeShow(*this);
  // Qt places a window that is not shown yet by its frame only where the
  // platform itself knows the frame; elsewhere it places the client area.
  place_client_ = windowHandle()->frameMargins().isNull();
  // Qt's focus chain follows the widgets' creation, which is the focus order.
  BuildControls();
  // Stacked as designed where they overlap: a later sibling is drawn over an
  // earlier one. The focus chain keeps the creation order.
  for (const auto* control : forms::StackingOrder(this->design())) {
    WidgetOf(control->name, control->index)->raise();
  }
  SetBuddies();
  // Given now, the focus is taken up when the window first becomes active.
  if (const forms::ControlDesign* first = FirstFocus()) {
    WidgetOf(first->name, first->index)->setFocus();
  }
}

QtForm::~QtForm() = default;

std::unique_ptr<forms::Control> QtForm::BuildControl(const forms::ControlDesign& design) {
  detail::ControlWidget built = detail::MakeControl(design, this, window_font_);
  built.widget->setObjectName(
      QString::fromStdString(forms::DisplayName(design.name, design.index)));
  if (auto* button = qobject_cast<QPushButton*>(built.widget)) {
    connect(button, &QPushButton::clicked, this, [this, &design] { Click(design); });
  }
  return std::move(built.control);
}

void QtForm::SetBuddies() {
  for (const auto& control : design().controls) {
    if (!control.buddy.empty()) {
      qobject_cast<QLabel*>(WidgetOf(control.name, control.index))
          ->setBuddy(WidgetOf(control.buddy));
    }
  }
}

QWidget* QtForm::WidgetOf(std::u16string_view name, std::optional<int> index) const {
  if (Find(name, index) == nullptr) {
    return nullptr;
  }
  return findChild<QWidget*>(QString::fromStdString(forms::DisplayName(name, index)),
                             Qt::FindDirectChildrenOnly);
}

// Before the window is first shown, Qt's frame geometry is the client's; the
// frame that the platform will put around it is known from its native window,
// made early for this.
QSize QtForm::OuterSize() const {
  if (isVisible()) {
    return frameGeometry().size();
  }
  return size().grownBy(frame_before_show_);
}

float QtForm::Width() const {
  return ToTwips(OuterSize().width());
}

float QtForm::Height() const {
  return ToTwips(OuterSize().height());
}

// Left and Top place the outer frame, as move() does once Qt knows the frame.
QPoint QtForm::FramePosition() const {
  if (isVisible() || !place_client_) {
    return frameGeometry().topLeft();
  }
  return pos() - QPoint(frame_before_show_.left(), frame_before_show_.top());
}

void QtForm::MoveFrameTo(QPoint at) {
  if (!isVisible() && place_client_) {
    at += QPoint(frame_before_show_.left(), frame_before_show_.top());
  }
  move(at);
}

void QtForm::SetLeft(float twips) {
  MoveFrameTo({ToPixels(twips), FramePosition().y()});
}

void QtForm::SetTop(float twips) {
  MoveFrameTo({FramePosition().x(), ToPixels(twips)});
}

float QtForm::ScreenWidth() const {
  return ToTwips(screen()->geometry().width());
}

float QtForm::ScreenHeight() const {
  return ToTwips(screen()->geometry().height());
}

void QtForm::ShowMessage(std::u16string_view caption, std::u16string_view text) {
  message_box_(isVisible() ? this : nullptr, ToQString(caption), ToQString(text));
}

// Closed by the user or the system.
void QtForm::closeEvent(QCloseEvent* event) {
  event->accept();
  End(0);
}

void QtForm::Close() {
  hide();
  emit ProgramEnded(exit_code());
}

// Lines and the picture are painted on the window itself, beneath the
// controls. A line is centred on its coordinates, as thick as the forms'
// rule makes it at the screen's density: it is drawn in device pixels.
void QtForm::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const qreal ratio = devicePixelRatioF();
  const int dpi = qRound(forms::kLayoutDpi * ratio);
  const auto pixels = [dpi](int twips) { return forms::TwipsToPixels(twips, dpi); };
  painter.save();
  painter.scale(1 / ratio, 1 / ratio);
  for (const auto& line : design().lines) {
    const int thickness = forms::ThicknessToPixels(line.width_pixels, dpi);
    const int half = thickness / 2;
    QRect rect;
    if (line.y1 == line.y2) {
      rect =
          QRect(pixels(std::min(line.x1, line.x2)), pixels(line.y1) - half,
                pixels(std::max(line.x1, line.x2)) - pixels(std::min(line.x1, line.x2)), thickness);
    } else {
      rect = QRect(pixels(line.x1) - half, pixels(std::min(line.y1, line.y2)), thickness,
                   pixels(std::max(line.y1, line.y2)) - pixels(std::min(line.y1, line.y2)));
    }
    painter.fillRect(rect, palette().color(QPalette::WindowText));
  }
  painter.restore();
  if (!picture_.isNull()) {
    painter.drawPixmap(picture_position_, picture_);
  }
}

}  // namespace rt::qt
