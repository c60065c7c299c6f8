#include "window/caption_style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>

#include <cmath>

namespace veltrum {
namespace {

int BigEndian16(const QByteArray& table, int offset) {
  if (table.size() < offset + 2) return 0;
  const auto high = static_cast<unsigned char>(table[offset]);
  const auto low = static_cast<unsigned char>(table[offset + 1]);
  return static_cast<int16_t>(static_cast<uint16_t>((high << 8) | low));
}

// OS/2 fsSelection bit 7: the face wants its typographic line metrics used.
constexpr int kUseTypoMetrics = 1 << 7;

}  // namespace

int CaptionShift(const QFont& font) {
  const QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid() || raw.unitsPerEm() <= 0) return 0;
  const QByteArray os2 = raw.fontTable("OS/2");
  if ((BigEndian16(os2, 62) & kUseTypoMetrics) == 0) return 0;
  const QByteArray hhea = raw.fontTable("hhea");
  if (hhea.size() < 10) return 0;
  // The hhea line as the font engine rounds it: the ascent up, the descent
  // down, each to a whole pixel.
  const qreal scale = raw.pixelSize() / raw.unitsPerEm();
  const qreal ascent = std::ceil(BigEndian16(hhea, 4) * scale);
  const qreal descent = std::ceil(-BigEndian16(hhea, 6) * scale);
  // A centred line puts its baseline (ascent - descent) / 2 below the middle.
  const QFontMetricsF used(font);
  return static_cast<int>(std::lround(((ascent - descent) - (used.ascent() - used.descent())) / 2));
}

void CaptionStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                bool enabled, const QString& text, QPalette::ColorRole textRole) const {
  QRect moved = rect;
  if ((flags & Qt::AlignVCenter) != 0 && !text.isEmpty()) {
    const QFont& font = painter->font();
    const QString key = font.key();
    auto found = shifts_.constFind(key);
    if (found == shifts_.constEnd()) found = shifts_.insert(key, CaptionShift(font));
    moved.translate(0, *found);
  }
  QProxyStyle::drawItemText(painter, moved, flags, palette, enabled, text, textRole);
}

}  // namespace veltrum
