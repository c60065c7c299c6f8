#pragma once
// The toolkit's style with one correction: a caption centred in its box sits
// where the face's classic line metrics (hhea) put it, whichever build of the
// face is installed. Newer builds of some faces (Liberation Sans Narrow among
// them) ask for their typographic line metrics instead; the toolkit honours
// that and centres their captions a pixel or two higher, so a key's caption
// would move between releases of the same system.
#include <QHash>
#include <QProxyStyle>

namespace veltrum {

// How many pixels down a caption in `font` moves to sit as on the face's
// hhea line; 0 for a face whose line metrics are the hhea ones already.
int CaptionShift(const QFont& font);

class CaptionStyle : public QProxyStyle {
 public:
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                    const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;

 private:
  mutable QHash<QString, int> shifts_;  // by QFont::key()
};

}  // namespace veltrum
