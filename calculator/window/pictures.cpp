#include "calculator/window/pictures.h"

#include <QPainter>
#include <QPainterPath>

#include "calculator/window/layout.h"

namespace veltrum {
namespace {

const QColor kMarkBackground(Qt::yellow);
const QColor kFormulaBackground(Qt::cyan);

QFont PictureFont(int pixels, bool italic) {
  QFont font = ControlFont(Face::TimesNewRoman, pixels, false);
  font.setItalic(italic);
  return font;
}

// Text whose baseline sits at y, starting at x.
void DrawAt(QPainter& p, int x, int y, const QFont& font, const QString& text) {
  p.setFont(font);
  p.drawText(QPoint(x, y), text);
}

bool IsSubscriptDigit(QChar c) { return c.unicode() >= 0x2080 && c.unicode() <= 0x2089; }

}  // namespace

SecondFunctionPicture::SecondFunctionPicture(Shows shows, QWidget* parent)
    : QWidget(parent), shows_(shows) {}

SecondFunctionPicture::Shows SecondFunctionPicture::ForName(QStringView name) {
  if (name == u"Image1") return Shows::Root;
  if (name == u"Image2") return Shows::E;
  if (name == u"Image3") return Shows::EPowerX;
  return Shows::TenPowerX;
}

void SecondFunctionPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), kMarkBackground);
  p.setPen(QPen(Qt::black, 1));
  const int h = height();
  switch (shows_) {
    case Shows::Root: {
      // A small y in the crook of a radical sign whose bar covers x.
      DrawAt(p, 1, 10, PictureFont(9, true), "y");
      QPainterPath radical;
      radical.moveTo(1, 15);
      radical.lineTo(3.5, 13.5);
      radical.lineTo(6.5, h - 2);
      radical.lineTo(9.5, 4);
      radical.lineTo(width() - 1, 4);
      p.drawPath(radical);
      DrawAt(p, 10, h - 5, PictureFont(12, true), "x");
      break;
    }
    case Shows::E:
      DrawAt(p, 3, h - 3, PictureFont(14, true), "e");
      break;
    case Shows::EPowerX:
      DrawAt(p, 1, h - 2, PictureFont(14, true), "e");
      DrawAt(p, 8, 9, PictureFont(10, true), "x");
      break;
    case Shows::TenPowerX:
      DrawAt(p, 0, h - 2, PictureFont(12, false), "10");
      DrawAt(p, 13, 8, PictureFont(9, true), "x");
      break;
  }
}

FormulaPicture::FormulaPicture(const QString& formula, QWidget* parent)
    : QAbstractButton(parent) {
  setText(formula);
  setFocusPolicy(Qt::NoFocus);
}

void FormulaPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kFormulaBackground);
  p.setPen(Qt::black);
  const QFont letters = ControlFont(Face::Arial, 13, true);
  const QFont digits = ControlFont(Face::Arial, 10, true);
  const QFontMetrics lm(letters), dm(digits);
  const QString formula = text();

  int total = 0;
  for (QChar c : formula)
    total += IsSubscriptDigit(c) ? dm.horizontalAdvance(QChar(u'0' + (c.unicode() - 0x2080)))
                                 : lm.horizontalAdvance(c);
  int x = (width() - total) / 2;
  const int baseline = (height() + lm.ascent() - lm.descent()) / 2 - 1;
  for (QChar c : formula) {
    if (IsSubscriptDigit(c)) {
      const QChar digit(u'0' + (c.unicode() - 0x2080));
      DrawAt(p, x, baseline + 3, digits, digit);
      x += dm.horizontalAdvance(digit);
    } else {
      DrawAt(p, x, baseline, letters, c);
      x += lm.horizontalAdvance(c);
    }
  }
}

}  // namespace veltrum
