// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QWidget>

#include <memory>

#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

// Internal to the Qt backend: the widget for each kind of control and the
// Control that handlers reach it through.
namespace rt::qt::detail {

inline constexpr int kTwipsPerPixel = 15;

// To the nearest logical pixel.
int ToPixels(double twips);
QString ToQString(std::u16string_view text);
QFont ToQFont(const forms::Font& font);

struct ControlWidget {
  QWidget* widget = nullptr;
  std::unique_ptr<forms::Control> control;
};

// Labels that name no other control read to a screen reader as they show.
void InstallAccessibleLabels();

// Builds the widget (a child of parent) with its geometry, font, colours,
// alignment (text at the top) and accessible name; a button's clicks, Enter
// on it included, are the caller's to connect. The widget is given its font
// only where it differs from `inherited`, the parent's.
ControlWidget MakeControl(const forms::ControlDesign& design, QWidget* parent,
                          const forms::Font& inherited);

}  // namespace rt::qt::detail
