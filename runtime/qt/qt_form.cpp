#include "runtime/qt/qt_form.hpp"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

#include "runtime/core/run_time_error.hpp"
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

QString ObjectName(const forms::ControlDesign& design) {
  QString name = ToQString(design.name);
  if (design.index) {
    name += QStringLiteral("(%1)").arg(*design.index);
  }
  return name;
}

float ToTwips(int pixels) {
  return static_cast<float>(pixels * detail::kTwipsPerPixel);
}

}  // namespace

QtForm::QtForm(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app)
    : handlers_(handlers), app_(std::move(app)) {
  forms::CheckDesign(design, handlers);
  setObjectName(ToQString(design.name));
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
  // Lines are painted on the window itself, so they go beneath the controls.
  for (const auto& line : design.lines) {
    BuildLine(line);
  }
  for (const auto& control : design.controls) {
    BuildControl(control);
  }
  SetBuddies(design);
  SetFocusOrder(design);
}

QtForm::~QtForm() = default;

void QtForm::SetMessageBox(MessageBoxFunction message_box) {
  message_box_ = std::move(message_box);
}

void QtForm::BuildLine(const forms::LineDesign& line) {
  auto* frame = new QFrame(this);
  frame->setObjectName(ToQString(line.name));
  frame->setFrameShadow(QFrame::Plain);
  frame->setLineWidth(line.width_pixels);
  // The thickness is centred on the line's coordinates.
  int half = line.width_pixels / 2;
  if (line.y1 == line.y2) {
    frame->setFrameShape(QFrame::HLine);
    frame->setGeometry(ToPixels(std::min(line.x1, line.x2)), ToPixels(line.y1) - half,
                       ToPixels(std::abs(line.x2 - line.x1)), line.width_pixels);
  } else {
    frame->setFrameShape(QFrame::VLine);
    frame->setGeometry(ToPixels(line.x1) - half, ToPixels(std::min(line.y1, line.y2)),
                       line.width_pixels, ToPixels(std::abs(line.y2 - line.y1)));
  }
}

void QtForm::BuildControl(const forms::ControlDesign& design) {
  detail::ControlWidget built = detail::MakeControl(design, this);
  built.widget->setObjectName(ObjectName(design));
  if (auto* button = qobject_cast<QPushButton*>(built.widget)) {
    connect(button, &QPushButton::clicked, this, [this, name = design.name, index = design.index] {
      Dispatch([&] { handlers_.Click(*this, name, index); });
    });
  }
  controls_.emplace(Key{design.name, design.index}, Built{std::move(built.control), built.widget});
}

void QtForm::SetBuddies(const forms::FormDesign& design) {
  for (const auto& control : design.controls) {
    if (control.buddy.empty()) {
      continue;
    }
    qobject_cast<QLabel*>(widgetOf(control.name, control.index))->setBuddy(widgetOf(control.buddy));
  }
}

void QtForm::SetFocusOrder(const forms::FormDesign& design) {
  std::vector<const forms::ControlDesign*> stops;
  for (const auto& control : design.controls) {
    if (control.tab_index) {
      stops.push_back(&control);
    }
  }
  std::ranges::sort(stops, {}, [](const auto* control) { return *control->tab_index; });
  QWidget* previous = nullptr;
  for (const auto* stop : stops) {
    QWidget* widget = widgetOf(stop->name, stop->index);
    if (previous != nullptr) {
      setTabOrder(previous, widget);
    }
    previous = widget;
  }
  // Given now, the focus is taken up when the window first becomes active.
  if (!stops.empty()) {
    widgetOf(stops.front()->name, stops.front()->index)->setFocus();
  }
}

bool QtForm::Load() {
  Dispatch([this] { handlers_.Load(*this); });
  return !ended_;
}

QWidget* QtForm::widgetOf(std::u16string_view name, std::optional<int> index) const {
  auto found = controls_.find(Key{std::u16string(name), index});
  return found == controls_.end() ? nullptr : found->second.widget;
}

forms::Control& QtForm::Lookup(std::u16string_view name, std::optional<int> index) {
  auto found = controls_.find(Key{std::u16string(name), index});
  if (found == controls_.end()) {
    throw std::out_of_range("no such control: " + ToQString(name).toStdString() +
                            (index ? "(" + std::to_string(*index) + ")" : ""));
  }
  return *found->second.control;
}

forms::Control& QtForm::control(std::u16string_view name) {
  return Lookup(name, std::nullopt);
}

forms::Control& QtForm::control(std::u16string_view name, int index) {
  return Lookup(name, index);
}

// Before the window is first shown the frame is not yet known, and the outer
// size is the client size.
float QtForm::Width() const {
  return ToTwips(frameGeometry().width());
}

float QtForm::Height() const {
  return ToTwips(frameGeometry().height());
}

// move() places the outer frame, as Left and Top do.
void QtForm::SetLeft(float twips) {
  move(ToPixels(twips), frameGeometry().y());
}

void QtForm::SetTop(float twips) {
  move(frameGeometry().x(), ToPixels(twips));
}

float QtForm::ScreenWidth() const {
  return ToTwips(screen()->geometry().width());
}

float QtForm::ScreenHeight() const {
  return ToTwips(screen()->geometry().height());
}

void QtForm::MsgBox(std::u16string_view text) {
  message_box_(this, ToQString(app_.title), ToQString(text));
}

void QtForm::Unload() {
  close();
}

void QtForm::closeEvent(QCloseEvent* event) {
  event->accept();
  End(0);
}

void QtForm::paintEvent(QPaintEvent* /*event*/) {
  if (!picture_.isNull()) {
    QPainter painter(this);
    painter.drawPixmap(picture_position_, picture_);
  }
}

// No handler traps errors: a run-time error ends the program with its message.
// Nothing may escape into Qt's event loop, which is not exception-safe.
template <typename Handler>
void QtForm::Dispatch(Handler&& handler) {
  if (auto message = Trapped(std::forward<Handler>(handler))) {
    message_box_(isVisible() ? this : nullptr, ToQString(app_.title), ToQString(*message));
    End(kRunTimeErrorExitCode);
  }
}

void QtForm::End(int exit_code) {
  if (ended_) {
    return;
  }
  ended_ = true;
  exit_code_ = exit_code;
  hide();
  emit ended(exit_code);
}

}  // namespace rt::qt
