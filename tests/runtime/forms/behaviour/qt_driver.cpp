// The behaviour suite's driver for the Qt backend, on the offscreen platform
// at the scale factor this process runs with.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "backend_driver.hpp"
#include "runtime/qt/qt_form.hpp"

namespace testsupport {
namespace {

rt::forms::Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

rt::forms::Alignment FromQt(Qt::Alignment alignment) {
  if (alignment & Qt::AlignHCenter) {
    return rt::forms::Alignment::kCenter;
  }
  if (alignment & Qt::AlignRight) {
    return rt::forms::Alignment::kRight;
  }
  return rt::forms::Alignment::kLeft;
}

class QtDriver final : public BackendDriver {
 public:
  void Open(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
            const rt::forms::AppInfo& app) override {
    form_.reset();
    form_ = std::make_unique<rt::qt::QtForm>(design, handlers, app, Sink());
  }
  rt::forms::FormCore& form() override { return *form_; }
  void Show() override {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  // A window that does show is closed as soon as its loop runs.
  int RunProgram(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                 const rt::forms::AppInfo& app) override {
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<rt::qt::QtForm*>(window) != nullptr) {
          window->close();
        }
      }
    });
    closer.start(0);
    return rt::qt::RunWindow(design, handlers, app, Sink());
  }

  std::vector<int> Dpis() override { return {static_cast<int>(96 * qApp->devicePixelRatio())}; }
  void UseDpi(int dpi) override { ASSERT_EQ(qRound(form_->devicePixelRatioF() * 96), dpi); }
  int LayoutDpi() override { return 96; }

  PixelRect ClientArea() override { return Rect(form_->rect()); }
  PixelRect OuterFrame() override { return Rect(form_->frameGeometry()); }
  // The offscreen platform's screen is 800 by 800 device pixels.
  PixelRect KnownScreen() override {
    const int side = qRound(800 / qApp->devicePixelRatio());
    return {0, 0, side, side};
  }
  PixelRect Geometry(const ControlRef& control) override {
    return Rect(Widget(control)->geometry());
  }
  SeenFont FontOf(const ControlRef& control) override {
    QFontInfo font(Widget(control)->font());
    return {font.family().toStdU16String(), font.pixelSize(), font.bold()};
  }
  std::u16string StandIn(const std::u16string& family) override {
    return family == u"Arial" || family == u"MS Sans Serif" ? u"Liberation Sans" : family;
  }

  rt::forms::Rgb BackColour(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    return ToRgb(widget->palette().color(widget->backgroundRole()));
  }
  rt::forms::Rgb ForeColour(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    return ToRgb(widget->palette().color(widget->foregroundRole()));
  }
  rt::forms::Rgb WindowColour() override { return ToRgb(form_->palette().color(QPalette::Window)); }
  rt::forms::Rgb StandardFace() override {
    return ToRgb(QApplication::palette().color(QPalette::Button));
  }

  rt::forms::Alignment AlignmentOf(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      return FromQt(label->alignment());
    }
    return FromQt(qobject_cast<QLineEdit*>(widget)->alignment());
  }
  int TextTop(const ControlRef& control) override {
    auto* edit = qobject_cast<QLineEdit*>(Widget(control));
    QFontMetrics metrics(edit->font());
    // The text's place is settled as it is painted; the cursor then spans
    // the line, and its top is the line's.
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().y() -
           metrics.height() / 2;
  }
  bool HasBorder(const ControlRef& control) override {
    if (auto* label = qobject_cast<QLabel*>(Widget(control))) {
      return label->frameShape() != QFrame::NoFrame;
    }
    return false;
  }
  // A label that takes its caption for markup shows the markup's text.
  std::u16string Shows(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    QString text = widget->property("text").toString();
    if (auto* label = qobject_cast<QLabel*>(widget);
        label != nullptr && (label->textFormat() == Qt::RichText ||
                             (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))) {
      text = QTextDocumentFragment::fromHtml(text).toPlainText();
    }
    return text.toStdU16String();
  }
  std::u16string NamedBy(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    for (auto* label : form_->findChildren<QLabel*>()) {
      if (label->buddy() == widget) {
        return label->text().toStdU16String();
      }
    }
    return {};
  }
  bool TakesTyping(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
      return list->isEditable();
    }
    auto* edit = qobject_cast<QLineEdit*>(widget);
    return edit != nullptr && !edit->isReadOnly();
  }
  rt::forms::Rgb WindowPixel(int x, int y) override {
    const QImage drawn = form_->grab().toImage();
    const qreal scale = drawn.devicePixelRatio();
    return ToRgb(
        drawn.pixelColor(qRound((x + 0.5) * scale - 0.5), qRound((y + 0.5) * scale - 0.5)));
  }
  std::u16string ReadAloud(const ControlRef& control) override {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(Widget(control));
    return read->text(QAccessible::Name).toStdU16String();
  }

  std::optional<ControlRef> Focused() override {
    for (const auto& control : form_->design().controls) {
      if (form_->WidgetOf(control.name, control.index) == QApplication::focusWidget()) {
        return ControlRef{control.name, control.index};
      }
    }
    return std::nullopt;
  }
  void Press(Key key) override {
    QWidget* focus = QApplication::focusWidget();
    switch (key) {
      case Key::kTab:
        QTest::keyClick(focus, Qt::Key_Tab);
        break;
      case Key::kShiftTab:
        QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
        break;
      case Key::kEnter:
        QTest::keyClick(focus, Qt::Key_Return);
        break;
      case Key::kSpace:
        QTest::keyClick(focus, Qt::Key_Space);
        break;
      case Key::kEscape:
        QTest::keyClick(focus, Qt::Key_Escape);
        break;
    }
  }
  void Click(const ControlRef& control) override {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
  }
  void DoubleClick(const ControlRef& control) override {
    QWidget* widget = Widget(control);
    // As the system delivers one: a click, then a press that is a
    // double-click, then its release.
    QTest::mouseClick(widget, Qt::LeftButton);
    const QPointF at(4, 4);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &second);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at.toPoint());
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
    QWidget* widget = form_->WidgetOf(control.name, control.index);
    if (widget == nullptr) {
      throw std::out_of_range("the window has no " +
                              rt::forms::DisplayName(control.name, control.index));
    }
    return widget;
  }
  rt::qt::MessageBoxFunction Sink() {
    return [this](QWidget* parent, const QString& caption, const QString& text) {
      messages += (caption + ": " + text).toStdU16String();
      owned = parent != nullptr && parent == form_.get();
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
