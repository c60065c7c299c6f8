// The chart's popup menu of the plot window: the chart saved as a picture
// and the drawn points saved as a table.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>
#include <array>

#include "chart/chart.h"
#include "chart/chart_export.h"
#include "plotter/window/grafik.h"
#include "window/text.h"

namespace veltrum {

namespace {

constexpr std::string_view kSaveImageItem = "Сохранить изображение…";
constexpr std::string_view kSavePointsItem = "Сохранить точки…";
constexpr std::string_view kSaveImageCaption = "Сохранить изображение";
constexpr std::string_view kSavePointsCaption = "Сохранить точки";
constexpr std::string_view kImageName = "График";
constexpr std::string_view kPointsName = "Точки.csv";
constexpr std::string_view kPointsFilter = "Таблица CSV (*.csv)";

struct ImageFilter {
  ImageFormat format;
  std::string_view text;
};

// The order of the save dialog's filters; the first is offered first.
constexpr std::array kImageFilters{
    ImageFilter{ImageFormat::Png, "Изображение PNG (*.png)"},
    ImageFilter{ImageFormat::Svg, "Рисунок SVG (*.svg)"},
    ImageFilter{ImageFormat::Pdf, "Документ PDF (*.pdf)"},
};

}  // namespace

void TForm3::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  mnuSaveImage = PopupMenu1->addAction(FromUtf8(kSaveImageItem), this, &TForm3::mnuSaveImageClick);
  mnuSaveImage->setObjectName(QStringLiteral("mnuSaveImage"));
  // The window's own shortcut, shown beside the item; Ctrl+S saves the
  // function set.
  mnuSaveImage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mnuSaveImage->setShortcutContext(Qt::WindowShortcut);
  addAction(mnuSaveImage);
  mnuSavePoints = PopupMenu1->addAction(FromUtf8(kSavePointsItem), this, &TForm3::mnuSavePointsClick);
  mnuSavePoints->setObjectName(QStringLiteral("mnuSavePoints"));
  Chart1->SetPopupMenu(PopupMenu1);
}

QString TForm3::SuggestedPath(const QString& name) const {
  return QDir(saveDir_.isEmpty() ? QDir::homePath() : saveDir_).filePath(name);
}

void TForm3::ReportSaveFailure(const QString& path, const std::string& reason) {
  QString text = FromUtf8(kSaveFailedText) + QDir::toNativeSeparators(path);
  if (!reason.empty()) text += QStringLiteral(" (") + FromUtf8(reason) + u')';
  dialogs_.ShowMessage(MessageKind::Error, text.toStdString());
}

// The suffix of the typed name chooses the format; a name without a
// known suffix gets the one of the chosen filter.
void TForm3::mnuSaveImageClick() {
  QStringList filters;
  for (const ImageFilter& filter : kImageFilters) filters << FromUtf8(filter.text);
  QString path = SuggestedPath(FromUtf8(kImageName) + QStringLiteral(".png"));
  int filter = 0;
  if (!files_->SaveFileName(FromUtf8(kSaveImageCaption), filters, path, filter) || path.isEmpty()) return;
  std::optional<ImageFormat> format = ImageFormatOfPath(path);
  if (!format) {
    format =
        kImageFilters[static_cast<std::size_t>(std::clamp(filter, 0, int(kImageFilters.size()) - 1))].format;
    path += u'.' + SuffixOf(*format);
  }
  // A screen of high pixel density gets a picture as sharp as it shows.
  const double scale = std::max(1.0, Chart1->devicePixelRatioF());
  if (!SaveChartImage(*Chart1, path, *format, scale)) {
    ReportSaveFailure(path);
    return;
  }
  saveDir_ = QFileInfo(path).absolutePath();
}

void TForm3::mnuSavePointsClick() {
  QString path = SuggestedPath(FromUtf8(kPointsName));
  int filter = 0;
  if (!files_->SaveFileName(FromUtf8(kSavePointsCaption), {FromUtf8(kPointsFilter)}, path, filter) ||
      path.isEmpty())
    return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  if (!SaveChartPoints(*Chart1, path)) {
    ReportSaveFailure(path);
    return;
  }
  saveDir_ = QFileInfo(path).absolutePath();
}

}  // namespace veltrum
