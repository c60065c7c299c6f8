// Chart1 saved to files: PNG, SVG and PDF pictures that show the points,
// a CSV table that reads back to the same doubles, and failures that
// leave no file behind.
#include "chart/chart_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace veltrum {
namespace {

const QColor kRed(255, 0, 0), kGreen(0, 128, 0), kYellow(255, 255, 0);

// Three functions sampled as a run would: F1 = sin x, F2 = x / 3,
// F3 = x² - 2; F4 has points but is inactive, as after a Delete.
class ChartExportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    chart.resize(497, 441);
    {
      ChartUpdate update(chart);
      for (int i = 0; i <= 60; ++i) {
        const double x = -3 + i * 0.1;
        chart.AddPoint(0, x, std::sin(x));
        chart.AddPoint(1, x, x / 3);
        chart.AddPoint(2, x, x * x - 2);
        chart.AddPoint(3, x, 100 + x);
      }
      for (int i = 3; i < kSeriesCount; ++i) chart.SetActive(i, false);
    }
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  // Where the point (x, y) is on the chart, times scale.
  QPoint At(double x, double y, double scale = 1) const {
    return QPoint(static_cast<int>(std::lround(chart.xAxis->coordToPixel(x) * scale)),
                  static_cast<int>(std::lround(chart.yAxis->coordToPixel(y) * scale)));
  }

  // Points of the three series far enough apart not to cover each other.
  void ExpectPointColours(const QImage& image, double scale = 1) const {
    EXPECT_EQ(image.pixelColor(At(2.5, std::sin(2.5), scale)), kRed);
    EXPECT_EQ(image.pixelColor(At(-2.5, -2.5 / 3, scale)), kGreen);
    EXPECT_EQ(image.pixelColor(At(-2, 2, scale)), kYellow);
  }

  QByteArray Read(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Everything in the folder: a failed save must not leave its temporary file.
  QStringList Files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

  QTemporaryDir dir;
  Chart chart;
};

TEST_F(ChartExportTest, PngHasTheChartsSizeAndShowsThePoints) {
  ASSERT_TRUE(SaveChartImage(chart, Path("plot.png"), ImageFormat::Png));
  const QImage image(Path("plot.png"), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(497, 441));
  ExpectPointColours(image);
  // The file shows what the screen shows.
  const QImage screen = chart.grab().toImage();
  EXPECT_EQ(image.pixelColor(At(2.5, std::sin(2.5))), screen.pixelColor(At(2.5, std::sin(2.5))));
}

TEST_F(ChartExportTest, ScaledPngIsLargerAndStillShowsThePoints) {
  ASSERT_TRUE(SaveChartImage(chart, Path("plot.png"), ImageFormat::Png, 2));
  const QImage image(Path("plot.png"), "PNG");
  EXPECT_EQ(image.size(), QSize(994, 882));
  ExpectPointColours(image, 2);
}

TEST_F(ChartExportTest, SvgIsValidAndDrawsThePointsAsShapes) {
  ASSERT_TRUE(SaveChartImage(chart, Path("plot.svg"), ImageFormat::Svg));
  const QByteArray svg = Read(Path("plot.svg"));
  EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
  EXPECT_TRUE(svg.contains("<svg"));
  // Vector discs, not a picture of the plot area.
  EXPECT_FALSE(svg.contains("<image"));
  QSvgRenderer renderer(Path("plot.svg"));
  ASSERT_TRUE(renderer.isValid());
  // One unit of the picture is one pixel of the chart.
  EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 497, 441));
  QImage image(497, 441, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  ExpectPointColours(image);
}

TEST_F(ChartExportTest, PdfIsOnePageThatCarriesThePoints) {
  ASSERT_TRUE(SaveChartImage(chart, Path("plot.pdf"), ImageFormat::Pdf));
  const QByteArray pdf = Read(Path("plot.pdf"));
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
  // The same chart without its points makes a much smaller page.
  for (int i = 0; i < 3; ++i) chart.Clear(i);
  ASSERT_TRUE(SaveChartImage(chart, Path("empty.pdf"), ImageFormat::Pdf));
  EXPECT_GT(pdf.size(), Read(Path("empty.pdf")).size() + 1000);
}

struct CsvPoint {
  std::string series;
  double x, y;
  bool operator==(const CsvPoint&) const = default;
};

double ReadDouble(const std::string& text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
  return value;
}

TEST_F(ChartExportTest, CsvReadsBackToTheSameDoublesOfTheActiveSeries) {
  // Values whose shortest texts are long, tiny or huge.
  chart.AddPoint(2, 3.5, 1.0 / 3);
  chart.AddPoint(2, 4, -1e-300);
  chart.AddPoint(2, 5, 1.7976931348623157e308);
  ASSERT_TRUE(SaveChartPoints(chart, Path("points.csv")));
  const QList<QByteArray> lines = Read(Path("points.csv")).split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines.front(), "series,x,y");
  EXPECT_EQ(lines.back(), "");  // the last line ends too

  std::vector<CsvPoint> read;
  for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
    const QList<QByteArray> fields = lines[i].split(',');
    ASSERT_EQ(fields.size(), 3) << lines[i].toStdString();
    read.push_back(
        {fields[0].toStdString(), ReadDouble(fields[1].toStdString()), ReadDouble(fields[2].toStdString())});
  }
  std::vector<CsvPoint> expected;
  for (int series = 0; series < 3; ++series) {
    const QCPGraphDataContainer& points = chart.Points(series);
    for (auto it = points.constBegin(); it != points.constEnd(); ++it)
      expected.push_back({kSeriesStyles[series].name, it->key, it->value});
  }
  EXPECT_EQ(read.size(), 3u * 61 + 3);
  EXPECT_EQ(read, expected);
}

TEST_F(ChartExportTest, MissingFolderFailsAndCreatesNothing) {
  const QString path = Path("missing/plot.png");
  EXPECT_FALSE(SaveChartImage(chart, path, ImageFormat::Png));
  EXPECT_FALSE(SaveChartPoints(chart, Path("missing/points.csv")));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(Files().isEmpty()) << Files().join(u' ').toStdString();
}

TEST_F(ChartExportTest, ANameTakenByAFolderFailsAndLeavesNoTemporaryFile) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("plot.svg")));
  EXPECT_FALSE(SaveChartImage(chart, Path("plot.svg"), ImageFormat::Svg));
  EXPECT_EQ(Files(), QStringList{QStringLiteral("plot.svg")});
  EXPECT_TRUE(QFileInfo(Path("plot.svg")).isDir());
}

TEST_F(ChartExportTest, AWriteThatFailsKeepsTheOldFileWhole) {
  ASSERT_TRUE(SaveChartPoints(chart, Path("points.csv")));
  const QByteArray before = Read(Path("points.csv"));
  EXPECT_FALSE(SaveFileWhole(Path("points.csv"), [](QIODevice& out) {
    out.write("series,x,y\nF1,");
    return false;
  }));
  EXPECT_EQ(Read(Path("points.csv")), before);
  EXPECT_EQ(Files(), QStringList{QStringLiteral("points.csv")});
}

}  // namespace
}  // namespace veltrum
