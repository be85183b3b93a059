// Writes the windows' titles and their controls' client-area rectangles in
// pixels, as the Qt backend places them, to a JSON file, for the scripts that
// drive the real programs with the mouse.
//
// usage: design_rects OUTPUT.json
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Corvel/frm_corvel.hpp"
#include "Pellam/frm_pellam.hpp"
#include "runtime/qt/qt_controls.hpp"

namespace {

using rt::qt::detail::ToPixels;
using rt::qt::detail::ToQString;

QJsonObject Describe(const rt::forms::FormDesign& design) {
  QJsonObject controls;
  for (const auto& control : design.controls) {
    QString name = ToQString(control.name);
    if (control.index) {
      name += QStringLiteral("(%1)").arg(*control.index);
    }
    controls[name] = QJsonArray{ToPixels(control.left), ToPixels(control.top),
                                ToPixels(control.width), ToPixels(control.height)};
  }
  return {{"title", ToQString(design.caption)}, {"controls", controls}};
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
