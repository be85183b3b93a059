// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QStyleFactory>

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "runtime/core/run_time_error.hpp"
#include "runtime/qt/qt_controls.hpp"
#include "runtime/qt/qt_form.hpp"

namespace rt::qt {
namespace {

QString VersionString(const forms::AppInfo& app) {
  return QStringLiteral("%1.%2.%3").arg(app.major).arg(app.minor).arg(app.revision);
}

// Whether the font database holds the family, from one foundry ("Arial") or
// several ("Arial [Monotype]").
bool Installed(const QStringList& installed, const QString& family) {
  return std::any_of(installed.begin(), installed.end(), [&family](const QString& name) {
    return name.compare(family, Qt::CaseInsensitive) == 0 ||
           (name.startsWith(family, Qt::CaseInsensitive) &&
            name.mid(family.size()).startsWith(QStringLiteral(" [")));
  });
}

// Liberation Sans has Arial's metrics, so texts take the width they were laid
// out for. "MS Sans Serif" was a bitmap face of similar proportions; DejaVu
// Sans, the usual fallback, is wider and would clip the captions. A family
// that the system has keeps its own face, and gets no stand-ins.
void InstallFontSubstitutions() {
  const QStringList installed = QFontDatabase::families();
  const QString liberation = QStringLiteral("Liberation Sans");
  for (const auto& [family, stand_ins] :
       {std::pair{QStringLiteral("Arial"), QStringList{liberation}},
        std::pair{QStringLiteral("MS Sans Serif"),
                  QStringList{liberation, QStringLiteral("DejaVu Sans")}}}) {
    if (!Installed(installed, family)) {
      QFont::insertSubstitutions(family, stand_ins);
    }
  }
}

}  // namespace

void ShowModalMessage(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  // The application's font may be a window's (see RunWindow).
  box.setFont(detail::ToQFont(forms::kDefaultFont));
  box.exec();
}

void PrepareApplication(QApplication& application, const forms::AppInfo& app) {
  QApplication::setApplicationName(detail::ToQString(app.title));
  QApplication::setApplicationVersion(VersionString(app));
  // Wayland's app_id.
  QGuiApplication::setDesktopFileName(detail::ToQString(app.desktop_id));
  // Fusion paints buttons with the palette's button colour; platform styles
  // may draw their own face and hide it.
  application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  InstallFontSubstitutions();
  // The platform's own default font is never loaded.
  QApplication::setFont(detail::ToQFont(forms::kDefaultFont));
  detail::InstallAccessibleLabels();
}

int RunWindow(const forms::FormDesign& design, forms::FormHandlers& handlers,
              const forms::AppInfo& app, const MessageBoxFunction& message_box) {
  // The program ends with its window, whatever code it ends with.
  QApplication::setQuitOnLastWindowClosed(false);
  std::optional<QtForm> form;
  // X11 takes every window's WM_CLASS from the application's name as it is
  // when the window's native window is made, which the form does as it is
  // built: for that moment the name is the desktop ID; then the title again,
  // which names the program on the accessibility bus.
  if (!app.desktop_id.empty()) {
    QApplication::setApplicationName(detail::ToQString(app.desktop_id));
  }
  // A line edit lays out its text in the application's font as it is made,
  // before it takes the font it shows: in the window's font, that costs no
  // font that the window does not draw anyway.
  QApplication::setFont(detail::ToQFont(forms::CommonFont(design)));
  try {
    form.emplace(design, handlers, app, message_box);
  } catch (const std::exception& error) {  // a design the window cannot be built from
    QApplication::setApplicationName(detail::ToQString(app.title));
    message_box(nullptr, detail::ToQString(app.title), detail::ToQString(EndingMessage(error)));
    return forms::kRunTimeErrorExitCode;
  }
  QApplication::setApplicationName(detail::ToQString(app.title));
  if (!form->Load()) {
    return form->exit_code();
  }
  // Only a running loop may be told to end: an exit asked for before it runs
  // would end every later modal loop at once.
  QObject::connect(&*form, &QtForm::ProgramEnded, qApp, &QCoreApplication::exit);
  form->show();
  return QApplication::exec();
}

int RunProgram(int argc, char** argv, const forms::FormDesign& design,
               forms::FormHandlers& handlers, const forms::AppInfo& app,
               const MessageBoxFunction& message_box) {
  QApplication application(argc, argv);
  PrepareApplication(application, app);
  return RunWindow(design, handlers, app, message_box);
}

}  // namespace rt::qt
