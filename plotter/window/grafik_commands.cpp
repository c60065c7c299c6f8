// The commands of the plot window that keep the function list and the
// axis bounds.
#include <QLineEdit>
#include <QListWidget>
#include <optional>
#include <string>

#include "number/failure.h"
#include "number/number_text.h"
#include "chart/chart.h"
#include "plotter/window/grafik.h"
#include "window/text.h"

namespace veltrum {

namespace {

// The number prefix of an entry read back as an integer text:
// leading blanks, an optional sign, then decimal digits or "$" and hex
// digits, and nothing after them.
std::optional<int> ReadInteger(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  int base = 10;
  if (i < text.size() && text[i] == u'$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  int value = 0;
  for (; i < text.size(); ++i) {
    const int digit = QChar(text[i]).digitValue();
    const bool hexLetter = base == 16 && text[i].toLower() >= u'a' && text[i].toLower() <= u'f';
    if (hexLetter)
      value = value * base + (text[i].toLower().unicode() - u'a' + 10);
    else if (digit >= 0 && text[i].unicode() < 128)
      value = value * base + digit;
    else
      return std::nullopt;
  }
  return negative ? -value : value;
}

// An entry whose number prefix is not an integer (the user rewrote it with
// Change) takes the number of its new place j (0-based), followed by its
// expression as it stands after its first ":", so Delete never stops
// halfway through the list.
QString NumberedByPlace(const QString& old, int j) {
  const qsizetype colon = old.indexOf(u':');
  return QString::number(j + 1) + u':' + (colon < 0 ? old : old.mid(colon + 1));
}

std::optional<double> ReadBound(const QLineEdit& edit) {
  try {
    return ReadNumberDouble(edit.text().toStdString());
  } catch (const CalcFailure&) {
    return std::nullopt;
  }
}

}  // namespace

void TForm3::cmdAddClick() {
  const int count = Count();
  if (count == kMaxFunctions) {
    dialogs_.ShowMessage(MessageKind::Information, kTooManyFunctionsText);
    return;
  }
  Chart1->SetActive(count, true);
  ListBox1->addItem(QString::number(count + 1) + QStringLiteral(":F(X)=") + txtMain->text());
  PlotFunction(count);
}

void TForm3::cmdChangeClick() {
  const int selected = Selected();
  if (Count() == 0 || selected < 0) return;
  QListWidgetItem* entry = ListBox1->item(selected);
  QString text = entry->text();
  if (dialogs_.InputQuery(FromUtf8(kChangeCaption), FromUtf8(kChangePrompt), text, kChangeMaxLength))
    entry->setText(text);
  // Drawn again on Cancel too.
  PlotFunction(selected);
}

void TForm3::cmdDeleteClick() {
  const int c = Count();
  const int s = Selected();
  if (c == 0 || s < 0) return;
  {
    ChartUpdate update(*Chart1);
    Chart1->SetActive(c - 1, false);
    for (int i = 0; i <= c - 2; ++i) Chart1->Clear(i);
  }
  for (int i = 0; i < c; ++i) SeriesCleared(i);
  // The entries below move up one place and show their number less one;
  // the number is read back from the text, two characters for "10".
  for (int j = s; j <= c - 2; ++j) {
    const QString old = ListBox1->item(j + 1)->text();
    const qsizetype digits = j + 1 == 9 ? 2 : 1;
    const std::optional<int> number = ReadInteger(old.left(digits));
    ListBox1->item(j)->setText(number ? QString::number(*number - 1) + old.mid(digits)
                                      : NumberedByPlace(old, j));
  }
  delete ListBox1->takeItem(c - 1);
  if (s == c - 1) ListBox1->clearSelection();
}

void TForm3::cmdClearClick() {
  const int selected = Selected();
  if (Count() > 0 && selected >= 0) {
    Chart1->Clear(selected);
    SeriesCleared(selected);
  }
}

void TForm3::cmdClearAllClick() {
  ChartUpdate update(*Chart1);
  for (int i = 0; i < Count(); ++i) {
    Chart1->Clear(i);
    SeriesCleared(i);
  }
}

void TForm3::cmdReDrawClick() {
  const int selected = Selected();
  if (Count() > 0 && selected >= 0) PlotFunction(selected);
}

void TForm3::cmdReDrawAllClick() {
  // Every run is queued before the first starts, so that memory running
  // out for one drops the rest of the command with it.
  for (int k = 0; k < Count(); ++k) pendingRuns_.push_back(k);
  StartRuns();
}

void TForm3::cmdChangeGrafGridClick() {
  const std::optional<double> xFrom = ReadBound(*txtXLeft);
  const std::optional<double> xTo = ReadBound(*txtXRight);
  const std::optional<double> yFrom = ReadBound(*txtYLeft);
  const std::optional<double> yTo = ReadBound(*txtYRight);
  if (!xFrom || !xTo || !yFrom || !yTo) {
    dialogs_.ShowMessage(MessageKind::Error, kBadBoundsText);
    return;
  }
  if (*xFrom >= *xTo || *yFrom >= *yTo) {
    dialogs_.ShowMessage(MessageKind::Error, kEmptyBoundsText);
    return;
  }
  Chart1->SetAxisRange(ChartAxis::Left, *yFrom, *yTo);
  Chart1->SetAxisRange(ChartAxis::Bottom, *xFrom, *xTo);
}

}  // namespace veltrum
