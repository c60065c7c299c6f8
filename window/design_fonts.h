#pragma once
// The fonts of the windows' design, each with the free stand-ins drawn
// where the Windows face is missing.
#include <QFont>

namespace veltrum {

enum class Face {
  Window,  // "MS Sans Serif", the calculator window's own font
  // "MS Sans Serif" as the plot and help windows draw it: with an
  // Arial-metric stand-in. One stand-in for both would move the pixels of
  // one of them.
  PlotWindow,
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
