#include "chart/chart_export.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <charconv>

#include "chart/chart.h"

namespace veltrum {

namespace {

bool WritePng(Chart& chart, QIODevice& out, double scale) {
  const QPixmap picture = chart.toPixmap(chart.width(), chart.height(), std::max(scale, 1.0));
  return !picture.isNull() && picture.save(&out, "PNG");
}

// Fonts are sized in points: the vector devices get the screen's
// resolution so that a label keeps its on-screen size against the chart.
bool WriteSvg(Chart& chart, QIODevice& out) {
  QSvgGenerator generator;
  generator.setOutputDevice(&out);
  generator.setSize(chart.size());
  generator.setViewBox(chart.rect());
  generator.setResolution(chart.logicalDpiX());
  generator.setTitle(QStringLiteral("Y=F(X)"));
  QCPPainter painter;
  if (!painter.begin(&generator)) return false;
  painter.setMode(QCPPainter::pmVectorized);
  chart.toPainter(&painter, chart.width(), chart.height());
  return painter.end();
}

bool WritePdf(Chart& chart, QIODevice& out) {
  QPdfWriter writer(&out);
  writer.setCreator(QCoreApplication::applicationName());
  writer.setTitle(QStringLiteral("Y=F(X)"));
  writer.setResolution(chart.logicalDpiX());
  writer.setPageLayout(
      QPageLayout(QPageSize(QSizeF(chart.size()), QPageSize::Point, QString(), QPageSize::ExactMatch),
                  QPageLayout::Portrait, QMarginsF()));
  QCPPainter painter;
  if (!painter.begin(&writer)) return false;
  painter.setMode(QCPPainter::pmVectorized);
  // One unit of the page is one pixel of the chart.
  painter.setWindow(chart.rect());
  chart.toPainter(&painter, chart.width(), chart.height());
  return painter.end();
}

void AppendNumber(std::string& text, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
}

}  // namespace

std::optional<ImageFormat> ImageFormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == u"png") return ImageFormat::Png;
  if (suffix == u"svg") return ImageFormat::Svg;
  if (suffix == u"pdf") return ImageFormat::Pdf;
  return std::nullopt;
}

QString SuffixOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return QStringLiteral("png");
    case ImageFormat::Svg: return QStringLiteral("svg");
    case ImageFormat::Pdf: return QStringLiteral("pdf");
  }
  return {};
}

bool WriteChartImage(Chart& chart, QIODevice& out, ImageFormat format, double scale) {
  // Axes that follow the data catch up with points added since the last
  // repaint, so the file shows what the screen is about to show.
  chart.Refresh();
  switch (format) {
    case ImageFormat::Png: return WritePng(chart, out, scale);
    case ImageFormat::Svg: return WriteSvg(chart, out);
    case ImageFormat::Pdf: return WritePdf(chart, out);
  }
  return false;
}

std::string ChartPointsCsv(const Chart& chart) {
  std::string text = "series,x,y\n";
  for (int i = 0; i < kSeriesCount; ++i) {
    if (!chart.IsActive(i)) continue;
    const char* name = kSeriesStyles[i].name;
    const QCPGraphDataContainer& points = chart.Points(i);
    for (auto point = points.constBegin(); point != points.constEnd(); ++point) {
      text += name;
      text += ',';
      AppendNumber(text, point->key);
      text += ',';
      AppendNumber(text, point->value);
      text += '\n';
    }
  }
  return text;
}

bool SaveFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!write(file)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool SaveChartImage(Chart& chart, const QString& path, ImageFormat format, double scale) {
  return SaveFileWhole(path, [&](QIODevice& out) { return WriteChartImage(chart, out, format, scale); });
}

bool SaveChartPoints(const Chart& chart, const QString& path) {
  const std::string text = ChartPointsCsv(chart);
  return SaveFileWhole(path, [&](QIODevice& out) {
    return out.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
  });
}

}  // namespace veltrum
