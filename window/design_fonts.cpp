#include "window/design_fonts.h"

#include <QStringList>

namespace veltrum {

QFont ControlFont(Face face, int pixels, bool bold) {
  QFont font;
  switch (face) {
    case Face::Window: font.setFamilies({"MS Sans Serif", "DejaVu Sans"}); break;
    case Face::PlotWindow:
      font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
      font.setStyleHint(QFont::SansSerif);
      break;
    case Face::TimesNewRoman: font.setFamilies({"Times New Roman", "Liberation Serif"}); break;
    case Face::Arial: font.setFamilies({"Arial", "Liberation Sans"}); break;
    case Face::ArialNarrow: font.setFamilies({"Arial Narrow", "Liberation Sans Narrow"}); break;
    // The Symbol font draws its glyphs at Latin code points; any font that
    // has the arrows, pi and the radical sign at their Unicode places will do.
    case Face::Glyphs: font.setFamilies({"DejaVu Sans", "Symbol"}); break;
    case Face::CourierNew:
      font.setFamilies({"Courier New", "Liberation Mono"});
      font.setStyleHint(QFont::TypeWriter);
      break;
  }
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QFont WindowFont(Face face) { return ControlFont(face, kWindowFontPixels, false); }

}  // namespace veltrum
