// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/design.hpp"

class QApplication;

// The Qt 6 Widgets backend of the forms layer: QtForm builds real widgets from
// a FormDesign at 15 twips per logical pixel (Qt scales logical pixels on
// high-dpi screens), runs the design's handlers and implements the Form that
// they see. What it must do is written down in runtime/forms/backend.hpp.
namespace rt::qt {

// Shows a modal message: the text, one OK button, no icon. Replaceable so that
// tests never wait on a dialog.
using MessageBoxFunction =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;
void ShowModalMessage(QWidget* parent, const QString& caption, const QString& text);

// Application-wide settings the forms rely on: the program's name and
// version, a style that paints palette colours (so button faces show),
// installed stand-ins for the designs' font families, and labels that a
// screen reader reads as they show.
void PrepareApplication(QApplication& application, const forms::AppInfo& app);

// A whole program: the application, its only window, Load before the window
// is first shown, then the event loop. Returns the exit code: 0 once the window
// is unloaded or closed, kRunTimeErrorExitCode after a run-time error.
int RunProgram(int argc, char** argv, const forms::FormDesign& design,
               forms::FormHandlers& handlers, const forms::AppInfo& app,
               const MessageBoxFunction& message_box = ShowModalMessage);

// The life of a program's only window on the application prepared for it:
// Load before the window is first shown, then the event loop; the exit code as
// RunProgram returns it.
int RunWindow(const forms::FormDesign& design, forms::FormHandlers& handlers,
              const forms::AppInfo& app, const MessageBoxFunction& message_box);

class QtForm final : public QWidget, public forms::FormCore {
  Q_OBJECT

 public:
  QtForm(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app,
         MessageBoxFunction message_box = ShowModalMessage);
  ~QtForm() override;

  // The widget built for a control, nullptr for a name the design lacks.
  QWidget* WidgetOf(std::u16string_view name, std::optional<int> index = std::nullopt) const;
  const QPixmap& picture() const { return picture_; }

  float Width() const override;
  float Height() const override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;

 signals:
  // The program ends with its only window.
  void ProgramEnded(int exit_code);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<forms::Control> BuildControl(const forms::ControlDesign& design) override;
  void ShowMessage(std::u16string_view caption, std::u16string_view text) override;
  void Close() override;

  void SetBuddies();
  QSize OuterSize() const;
  QPoint FramePosition() const;
  void MoveFrameTo(QPoint at);

  MessageBoxFunction message_box_;
  forms::Font window_font_;
  QPixmap picture_;
  QPoint picture_position_;
  QMargins frame_before_show_;
  bool place_client_ = false;
};

}  // namespace rt::qt
