#pragma once
// The fonts of the windows' design. The typefaces the windows were designed
// with are Windows fonts. Each one falls back to a fixed, installed family
// (the Debian package depends on them), so the windows look the same on
// every machine whatever its fontconfig aliases say: left to the aliases,
// "MS Sans Serif" can come out monospaced. The program and the window tests
// install the same table.
#include <QFont>
#include <QString>
#include <QStringList>

namespace veltrum {

struct DesignFont {
  const char* design;
  const char* standIn;
};

// Liberation is metric-compatible with the Windows faces; "MS Sans Serif"
// has no twin, Liberation Sans is the proportional face closest to it.
inline constexpr DesignFont kDesignFonts[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    // The toolkit's own default face (menus, boxes, the chart's scales);
    // fontconfig's choice for it depends on what else is installed.
    {"Sans Serif", "DejaVu Sans"},
};

// DejaVu Sans follows every stand-in: it has the arrows, pi, the radical
// and the super- and subscripts that a Liberation face may lack.
inline constexpr const char* kGlyphFamily = "DejaVu Sans";

// Installs the stand-ins, and the style that centres their captions alike
// whichever build of a face is installed. Needs the QApplication.
void InstallDesignFonts();

enum class Face {
  Window,  // "MS Sans Serif", the windows' own font
  TimesNewRoman,
  Arial,
  ArialNarrow,
  Glyphs,  // the "Symbol" glyphs (arrows, pi, radical) as Unicode text
  CourierNew,
};

// The window font: "MS Sans Serif" 8 points, 11 pixels.
inline constexpr int kWindowFontPixels = 11;

// A face at a height in pixels.
QFont ControlFont(Face face, int pixels, bool bold);

// The window's default font.
QFont WindowFont(Face face = Face::Window);

}  // namespace veltrum
