// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The floor that the programs' start-up is measured against: a window with the
// same number and kinds of controls as Corvel's or Pellam's, built straight on
// Qt Widgets with Qt's defaults (no designs, images, style or fonts of its own).
//
// usage: startup_bare_window corvel|pellam

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

struct Mix {
  QSize size;
  int labels = 0;
  int text_boxes = 0;
  int buttons = 0;
  int lists = 0;
  int lines = 0;
};

const Mix kCorvel{{357, 292}, 7, 3, 2, 0, 2};
const Mix kPellam{{488, 143}, 5, 2, 1, 1, 0};
constexpr int kListEntries = 5;

// Fills the window in two columns of rows, in the order given.
class Rows {
 public:
  explicit Rows(QWidget* window) : window_(window) {}
  template <typename Widget>
  Widget* Add() {
    auto* widget = new Widget(window_);
    int column_width = window_->width() / 2;
    widget->setGeometry((count_ % 2) * column_width + 4, (count_ / 2) * kRowHeight + 4,
                        column_width - 8, kRowHeight - 4);
    ++count_;
    return widget;
  }

 private:
  static constexpr int kRowHeight = 24;
  QWidget* window_;
  int count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2 || (std::strcmp(argv[1], "corvel") != 0 && std::strcmp(argv[1], "pellam") != 0)) {
    std::fputs("usage: startup_bare_window corvel|pellam\n", stderr);
    return 2;
  }
  const Mix& mix = std::strcmp(argv[1], "corvel") == 0 ? kCorvel : kPellam;
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(mix.size);
  Rows rows(&window);
  for (int i = 0; i < mix.labels; ++i) {
    rows.Add<QLabel>()->setText(QStringLiteral("Label %1").arg(i));
  }
  for (int i = 0; i < mix.text_boxes; ++i) {
    rows.Add<QLineEdit>();
  }
  for (int i = 0; i < mix.buttons; ++i) {
    rows.Add<QPushButton>()->setText(QStringLiteral("Button %1").arg(i));
  }
  for (int i = 0; i < mix.lists; ++i) {
    auto* list = rows.Add<QComboBox>();
    for (int entry = 0; entry < kListEntries; ++entry) {
      list->addItem(QStringLiteral("Entry %1").arg(entry));
    }
  }
  for (int i = 0; i < mix.lines; ++i) {
    rows.Add<QFrame>()->setFrameShape(QFrame::HLine);
  }
  window.show();
  return QApplication::exec();
}
