// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Writes the windows' titles and their controls' client-area rectangles in
// pixels at 96 dpi, as the backends place them, to a JSON file, for the
// scripts that drive the real programs with the mouse.
//
// usage: design_rects OUTPUT.json
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Corvel/frm_corvel.hpp"
#include "Pellam/frm_pellam.hpp"
#include "runtime/forms/backend.hpp"

namespace {

using rt::forms::TwipsToPixels;

QJsonObject Describe(const rt::forms::FormDesign& design) {
  QJsonObject controls;
  for (const auto& control : design.controls) {
    controls[QString::fromStdString(rt::forms::DisplayName(control.name, control.index))] =
        QJsonArray{TwipsToPixels(control.left), TwipsToPixels(control.top),
                   TwipsToPixels(control.width), TwipsToPixels(control.height)};
  }
  return {{"title", QString::fromStdU16String(design.caption)}, {"controls", controls}};
}

}  // namespace

int main(int argc, char** argv) {
  QFile out(argc == 2 ? argv[1] : "");
  if (!out.open(QIODevice::WriteOnly)) {
    return 2;
  }
  QJsonObject windows{{"Corvel", Describe(corvel::FrmCorvelDesign())},
                      {"Pellam", Describe(pellam::FrmPellamDesign())}};
  return out.write(QJsonDocument(windows).toJson()) > 0 ? 0 : 1;
}
