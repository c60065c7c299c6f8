#include "window/design_fonts.h"

#include <QApplication>
#include <QStringList>

#include "window/caption_style.h"

namespace veltrum {

QFont ControlFont(Face face, int pixels, bool bold) {
  QFont font;
  switch (face) {
    // The design faces by their own names: InstallDesignFonts decides what
    // stands in for each.
    case Face::Window:
      font.setFamilies({"MS Sans Serif"});
      font.setStyleHint(QFont::SansSerif);
      break;
    case Face::TimesNewRoman: font.setFamilies({"Times New Roman"}); break;
    case Face::Arial: font.setFamilies({"Arial"}); break;
    case Face::ArialNarrow: font.setFamilies({"Arial Narrow"}); break;
    // The Symbol font draws its glyphs at Latin code points; these captions
    // are Unicode text, so they ask for a font that has them there.
    case Face::Glyphs: font.setFamilies({kGlyphFamily}); break;
    case Face::CourierNew:
      font.setFamilies({"Courier New"});
      font.setStyleHint(QFont::TypeWriter);
      break;
  }
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void InstallDesignFonts() {
  for (const DesignFont& f : kDesignFonts)
    QFont::insertSubstitutions(QString::fromLatin1(f.design),
                               {QString::fromLatin1(f.standIn), QString::fromLatin1(kGlyphFamily)});
  QApplication::setStyle(new CaptionStyle);
}

QFont WindowFont(Face face) { return ControlFont(face, kWindowFontPixels, false); }

}  // namespace veltrum
