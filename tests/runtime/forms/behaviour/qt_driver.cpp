// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The behaviour suite's driver for the Qt backend, on the offscreen platform
// at the scale factor this process runs with.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "backend_driver.hpp"
#include "runtime/qt/qt_form.hpp"

namespace testsupport {
namespace {

rt::forms::Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

Image ToImage(const QImage& image) {
  Image seen{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      seen.pixels.push_back(ToRgb(image.pixelColor(x, y)));
    }
  }
  return seen;
}

class QtDriver final : public BackendDriver {
 public:
  // The offscreen platform's screen is 800 by 800 device pixels. The DPI is
  // the one the test asks for (QT_SCALE_FACTOR, or on a compositor that
  // scales its output, OUTPUT_SCALE); UseDpi checks that the window has it.
  QtDriver() {
    const int side = qRound(800 / qApp->devicePixelRatio());
    dpis = {qRound(
        96 * qEnvironmentVariable("QT_SCALE_FACTOR", qEnvironmentVariable("OUTPUT_SCALE", "1"))
                 .toDouble())};
    screen = {0, 0, side, side};
    standard_face = ToRgb(QApplication::palette().color(QPalette::Button));
    stand_ins = {{u"Arial", u"Liberation Sans"}, {u"MS Sans Serif", u"Liberation Sans"}};
  }
  void Open(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
            const rt::forms::AppInfo& app) override {
    form_.reset();
    form_ = std::make_unique<rt::qt::QtForm>(design, handlers, app, Sink());
  }
  rt::forms::FormCore& form() override { return *form_; }
  // No window is given the keyboard on Wayland: there it is only shown.
  void Show() override {
    form_->show();
    ASSERT_TRUE(QGuiApplication::platformName() == u"wayland"
                    ? QTest::qWaitForWindowExposed(form_.get())
                    : QTest::qWaitForWindowActive(form_.get()));
  }
  // A window that does show is closed as soon as its loop runs.
  int RunProgram(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                 const rt::forms::AppInfo& app) override {
    form_.reset();        // so that any owner of a message box is the program's window
    const QObject scope;  // takes the timer with it when Load ends the program
    QTimer::singleShot(0, &scope, &QApplication::closeAllWindows);
    return rt::qt::RunWindow(design, handlers, app, Sink());
  }

  int UseDpi(int dpi) override {
    EXPECT_EQ(qRound(form_->devicePixelRatioF() * 96), dpi);
    return 96;
  }
  PixelRect WindowRect(bool outer) override {
    return Rect(outer ? form_->frameGeometry() : form_->rect());
  }
  SeenControl See(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    const QFontInfo font(widget->font());
    SeenControl seen{Rect(widget->geometry()),
                     {font.family().toStdU16String(), font.pixelSize(), font.bold()},
                     ToRgb(widget->palette().color(widget->backgroundRole())),
                     ToRgb(widget->palette().color(widget->foregroundRole()))};
    seen.focused = QApplication::focusWidget() == widget;
    Qt::Alignment alignment;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      alignment = label->alignment();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      alignment = edit->alignment();
      seen.takes_typing = !edit->isReadOnly();
      // The text's place is settled as it is painted; the cursor then spans
      // the line, its top is the line's, and before the first character its
      // middle is the text's start.
      edit->setCursorPosition(0);
      edit->grab();
      const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
      seen.text_top = cursor.center().y() - QFontMetrics(edit->font()).height() / 2;
      seen.text_left = cursor.left() + cursor.width() / 2;
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
      seen.takes_typing = list->isEditable();
    }
    // The ink as it is drawn at this scale, and a whole line's height.
    const bool captioned = qobject_cast<QLabel*>(widget) || qobject_cast<QPushButton*>(widget);
    if (const QString caption = widget->property("text").toString();
        captioned && !caption.isEmpty()) {
      const QFontMetricsF metrics(widget->font(), widget);
      seen.caption = {metrics.tightBoundingRect(caption).width(), metrics.height(),
                      static_cast<double>(widget->contentsRect().width()),
                      static_cast<double>(widget->contentsRect().height())};
    }
    seen.alignment = (alignment & Qt::AlignHCenter) ? rt::forms::Alignment::kCenter
                     : (alignment & Qt::AlignRight) ? rt::forms::Alignment::kRight
                                                    : rt::forms::Alignment::kLeft;
    seen.read_aloud =
        QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).toStdU16String();
    for (auto* label : form_->findChildren<QLabel*>()) {
      if (label->buddy() == widget) {
        seen.named_by = label->text().toStdU16String();
      }
    }
    return seen;
  }
  Image WindowImage() override { return ToImage(form_->grab().toImage()); }
  Image ControlImage(const ControlRef& control) override {
    return ToImage(Widget(control)->grab().toImage());
  }
  int PictureDensity() override { return qRound(form_->picture().devicePixelRatio()); }
  // As Qt's own reader for its format decodes it.
  Image SourceImage(const rt::forms::ImageRef& image, int density) override {
    QString name = QString::fromStdU16String(image.resource);
    if (density == 2) {
      name.insert(name.lastIndexOf(u'.'), QStringLiteral("@2x"));
    }
    return ToImage(QImage(QStringLiteral(CORVEL_ASSETS "/") + name));
  }

  void Press(Key key) override {
    const Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Space,
                            Qt::Key_Escape};
    QTest::keyClick(QApplication::focusWidget(), keys[static_cast<int>(key)],
                    key == Key::kShiftTab ? Qt::ShiftModifier : Qt::NoModifier);
  }
  void Click(const ControlRef& control) override {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
  }
  // As the system delivers one: a click, then a press that is a
  // double-click, then its release.
  void DoubleClick(const ControlRef& control) override {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
    QTest::mouseDClick(Widget(control), Qt::LeftButton);
    QTest::mouseRelease(Widget(control), Qt::LeftButton);
  }

  SeenMessageBox ShowRealMessageBox(const std::u16string& caption,
                                    const std::u16string& text) override {
    SeenMessageBox seen;
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen = {box->windowTitle().toStdU16String(), box->text().toStdU16String(),
              static_cast<int>(box->buttons().size()), box->standardButtons() == QMessageBox::Ok,
              box->icon() != QMessageBox::NoIcon};
      box->accept();
    });
    rt::qt::ShowModalMessage(nullptr, QString::fromStdU16String(caption),
                             QString::fromStdU16String(text));
    return seen;
  }

 private:
  static PixelRect Rect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
  }
  QWidget* Widget(const ControlRef& control) const {
    return form_->WidgetOf(control.name, control.index);
  }
  rt::qt::MessageBoxFunction Sink() {
    return [this](QWidget* parent, const QString& caption, const QString& text) {
      messages += (caption + ": " + text).toStdU16String();
      owned = parent != nullptr && (form_ == nullptr || parent == form_.get());
    };
  }

  std::unique_ptr<rt::qt::QtForm> form_;
};

}  // namespace

std::unique_ptr<BackendDriver> MakeDriver() {
  return std::make_unique<QtDriver>();
}

}  // namespace testsupport

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  rt::qt::PrepareApplication(application, {u"Sample", 2, 5, 17});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
