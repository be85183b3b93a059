#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "runtime/qt/qt_form.hpp"

namespace testsupport {

struct Message {
  QWidget* parent;
  QString caption;
  QString text;
};

// Stands in for the modal message box so that no dialog waits for a click.
class RecordingMessages {
 public:
  rt::qt::MessageBoxFunction function() {
    return [this](QWidget* parent, const QString& caption, const QString& text) {
      shown.push_back({parent, caption, text});
    };
  }

  std::vector<Message> shown;
};

}  // namespace testsupport
