// Pictures of the plot window for a person to look at: three functions,
// the chart's popup menu over the window, and the chart saved as PNG and
// SVG (the SVG also drawn into a PNG). Not a test; run it under Xvfb (or
// offscreen) with an output folder:
//   veltrum_plot_screenshots /tmp/shots
// The menu is taken with QWidget::grab and laid over the window where it
// pops up, so the picture does not depend on a window manager.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <cstdio>

#include "window/design_fonts.h"
#include "calculator/calculator.h"
#include "chart/chart.h"
#include "chart/chart_export.h"
#include "plotter/window/grafik.h"
#include "tests/support/recording_dialogs.h"

namespace {

void Check(bool ok, const QString& path) {
  if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void Add(veltrum::TForm3& form, const char* expression) {
  form.findChild<QLineEdit*>("txtMain")->setText(QString::fromUtf8(expression));
  form.findChild<QAbstractButton*>("cmdAdd")->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  veltrum::InstallDesignFonts();
  const QDir out(argc > 1 ? argv[1] : ".");
  veltrum::RecordingDialogs dialogs;
  veltrum::Calculator calc(&dialogs);
  veltrum::TForm3 form(calc, dialogs);
  form.move(0, 0);
  form.show();
  QTest::qWait(200);
  for (const char* expression : {"sin[x]", "x/3", "x^2-2"}) Add(form, expression);
  auto* chart = form.findChild<veltrum::Chart*>("Chart1");

  const QPoint click(240, 190);
  QTest::mouseClick(chart, Qt::RightButton, {}, click);
  QTest::qWait(300);
  QMenu* menu = chart->PopupMenu();
  if (!menu || !menu->isVisible()) {
    std::fprintf(stderr, "the right click opened no menu\n");
    return 1;
  }
  const QString menuPath = out.filePath("popup_menu.png");
  Check(menu->grab().save(menuPath), menuPath);
  QPixmap window = form.grab();
  {
    QPainter painter(&window);
    painter.drawPixmap(form.mapFromGlobal(menu->pos()), menu->grab());
  }
  const QString windowPath = out.filePath("window_with_menu.png");
  Check(window.save(windowPath), windowPath);
  menu->hide();

  const QString png = out.filePath("chart.png");
  const QString svg = out.filePath("chart.svg");
  const QString pdf = out.filePath("chart.pdf");
  Check(veltrum::SaveChartImage(*chart, png, veltrum::ImageFormat::Png), png);
  Check(veltrum::SaveChartImage(*chart, svg, veltrum::ImageFormat::Svg), svg);
  Check(veltrum::SaveChartImage(*chart, pdf, veltrum::ImageFormat::Pdf), pdf);
  QSvgRenderer renderer(svg);
  QImage drawn(chart->size(), QImage::Format_ARGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  renderer.render(&painter);
  painter.end();
  const QString svgPng = out.filePath("chart_svg_drawn.png");
  Check(drawn.save(svgPng), svgPng);
  return 0;
}
