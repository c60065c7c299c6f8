#pragma once
// Chart1 written to files: a picture of the chart as it stands on the
// screen (PNG, SVG or PDF) and the points of its active series as CSV.
// A file is written whole or not at all: the data goes to a temporary
// file beside it that replaces the target only when everything was
// written, so a failure never leaves a partial or truncated file.
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace veltrum {

class Chart;

enum class ImageFormat { Png, Svg, Pdf };

// The format named by the file name's suffix (any letter case), if any.
std::optional<ImageFormat> ImageFormatOfPath(const QString& path);
// "png", "svg" or "pdf".
QString SuffixOf(ImageFormat format);

// The chart at its on-screen size. A PNG is scale times as large in each
// direction (scale ≥ 1); SVG and PDF are vector pictures whose unit is the
// screen pixel.
bool WriteChartImage(Chart& chart, QIODevice& out, ImageFormat format, double scale = 1.0);

// The header line "series,x,y", then one line per point of every active
// series, F1 first: the series name, x and y. Numbers use the decimal
// point and the fewest digits that read back as the same double.
std::string ChartPointsCsv(const Chart& chart);

// Runs write on a temporary file in path's directory and puts it in
// place of path when write succeeded. False when the file could not be
// created, written or put in place; path is then as it was before.
bool SaveFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write);

bool SaveChartImage(Chart& chart, const QString& path, ImageFormat format, double scale = 1.0);
bool SaveChartPoints(const Chart& chart, const QString& path);

}  // namespace veltrum
