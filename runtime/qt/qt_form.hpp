#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

class QApplication;

// The Qt 6 Widgets backend of the forms layer: QtForm builds real widgets from
// a FormDesign at 15 twips per logical pixel (Qt scales logical pixels on
// high-dpi screens), runs the design's handlers and implements the Form that
// they see.
namespace rt::qt {

inline constexpr int kRunTimeErrorExitCode = 1;

// Shows a modal message: the text, one OK button, no icon. Replaceable so that
// tests never wait on a dialog.
using MessageBoxFunction =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;
void ShowModalMessage(QWidget* parent, const QString& caption, const QString& text);

// Application-wide settings the forms rely on: the program's name and
// version, a style that paints palette colours (so button faces show), and
// installed stand-ins for the designs' font families.
void PrepareApplication(QApplication& application, const forms::AppInfo& app);

// A whole program: the application, its only window, Load before the window
// is first shown, then the event loop. Returns the exit code: 0 once the window
// is unloaded or closed, kRunTimeErrorExitCode after a run-time error.
int RunProgram(int argc, char** argv, const forms::FormDesign& design,
               forms::FormHandlers& handlers, const forms::AppInfo& app,
               MessageBoxFunction message_box = ShowModalMessage);

class QtForm final : public QWidget, public forms::Form {
  Q_OBJECT

 public:
  QtForm(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app);
  ~QtForm() override;

  void SetMessageBox(MessageBoxFunction message_box);

  // Runs the Load handler; call it once, before the window is first shown.
  // False when the program ended during Load (a run-time error, or Unload).
  bool Load();

  // The program's exit code once ended() has been emitted.
  int exitCode() const { return exit_code_; }

  // The widget built for a control, nullptr for a name the design lacks.
  QWidget* widgetOf(std::u16string_view name, std::optional<int> index = std::nullopt) const;
  const QPixmap& picture() const { return picture_; }

  forms::Control& control(std::u16string_view name) override;
  forms::Control& control(std::u16string_view name, int index) override;
  float Width() const override;
  float Height() const override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  const forms::AppInfo& App() const override { return app_; }
  void MsgBox(std::u16string_view text) override;
  void Unload() override;

 signals:
  // The program ends with its only window.
  void ended(int exit_code);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Built {
    std::unique_ptr<forms::Control> control;
    QWidget* widget = nullptr;
  };
  using Key = std::pair<std::u16string, std::optional<int>>;

  void BuildLine(const forms::LineDesign& line);
  void BuildControl(const forms::ControlDesign& design);
  void SetBuddies(const forms::FormDesign& design);
  void SetFocusOrder(const forms::FormDesign& design);
  forms::Control& Lookup(std::u16string_view name, std::optional<int> index);
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void End(int exit_code);

  forms::FormHandlers& handlers_;
  forms::AppInfo app_;
  MessageBoxFunction message_box_ = ShowModalMessage;
  std::map<Key, Built> controls_;
  QPixmap picture_;
  QPoint picture_position_;
  bool ended_ = false;
  int exit_code_ = 0;
};

}  // namespace rt::qt
