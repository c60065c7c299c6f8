#pragma once
// Chart1: ten point series F1..F10 on a left and a bottom axis with a
// legend, drawn by QCustomPlot. The mouse rules are the chart's own:
// a left drag right-down zooms to the dragged rectangle, any other left
// drag restores the view in force before the first zoom, a right drag
// pans and a right click opens the chart's popup menu. QCustomPlot's own
// range drag and selection-rect zoom stay off. A plain mouse move feeds
// the readout (chart_readout.h).
#include <qcustomplot.h>

#include <QMenu>
#include <QPointer>
#include <array>
#include <cstdint>
#include <optional>

#include "chart/chart_model.h"
#include "chart/point_index.h"

namespace veltrum {

class ChartReadout;

// A press and release at most this many pixels apart, in both
// directions, is a click and changes nothing.
inline constexpr int kClickTolerance = 3;

enum class LeftDrag { Click, Zoom, Restore };

// dx, dy: release minus press, in pixels (y grows downwards).
constexpr LeftDrag ClassifyLeftDrag(int dx, int dy) {
  if (dx >= -kClickTolerance && dx <= kClickTolerance && dy >= -kClickTolerance && dy <= kClickTolerance)
    return LeftDrag::Click;
  return dx > 0 && dy > 0 ? LeftDrag::Zoom : LeftDrag::Restore;
}

class Chart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit Chart(QWidget* parent = nullptr);

  // An inactive series is not drawn and not in the legend; its points stay.
  void SetActive(int series, bool active);
  bool IsActive(int series) const;
  // Removes every point of the series and repaints.
  void Clear(int series);
  // Makes room for a number of points about to be added.
  void Reserve(int series, std::size_t points);
  // The new memory Reserve would take for this many points of a series
  // (the room it already has counts), with their summary.
  std::size_t BytesToReserve(int series, std::size_t points) const;
  // Adds a point in its place by x; a point before the last is sorted in
  // among the others. Outside BeginUpdate and EndUpdate the chart repaints
  // once the event loop comes round, however many points arrive by then.
  void AddPoint(int series, double x, double y);
  int PointCount(int series) const;
  // The axis shows exactly [minimum, maximum] and stops following the data.
  void SetAxisRange(ChartAxis axis, double minimum, double maximum);
  // Between BeginUpdate and the matching EndUpdate nothing is repainted;
  // EndUpdate repaints once. Calls nest.
  void BeginUpdate();
  void EndUpdate();

  // Whether the axes still scale themselves to the data.
  bool FollowsData() const { return followData_; }
  // Replots now, rescaling first when the axes follow changed data.
  void Refresh();

  // The points of a series in ascending x, active or not.
  const QCPGraphDataContainer& Points(int series) const { return *data_[series]; }
  // The summary of a series' points that its drawing keeps, brought up to
  // date: the readout searches it too.
  const PointIndex& Summary(int series);

  // The menu that a right click without a drag, or the keyboard's menu
  // key, pops up; the chart does not own it. Without one the click does
  // nothing.
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  QMenu* PopupMenu() const { return popupMenu_; }

  const ChartReadout& Readout() const { return *readout_; }

  // A point another window points out: a ring in the series' colour with
  // its coordinates beside it; the area between a curve (points in
  // ascending x) and y = 0 shaded in the series' colour. Both stay until
  // ClearMarks.
  void SetMark(int series, double x, double y, const QString& text);
  void SetShading(int series, const QVector<double>& xs, const QVector<double>& ys);
  void ClearMarks();
  bool HasMark() const;
  bool HasShading() const;

  // Repaints by visiting every point of every series instead of using the
  // series' summaries: the same picture, slower. For the tests and
  // benchmarks that compare the two.
  void SetReferenceDrawing(bool on);
  // Bytes held by the summaries of the points.
  std::size_t SummaryBytes() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct View {
    QCPRange bottom;
    QCPRange left;
    bool followData;
  };
  enum class Drag { None, Left, Right };

  void SetUpSeries();
  void SetUpLegend();
  void RebuildLegend();
  void DataChanged();
  void RescaleToData();
  void RequestRepaint();
  void SaveViewBeforeZoom();
  void ZoomTo(QPoint from, QPoint to);
  void RestoreView();
  void PanBy(QPoint delta);
  void ShowPopupMenu(QPoint at);

  std::array<QCPGraph*, kSeriesCount> graphs_{};
  // Each graph's container, kept raw: AddPoint runs once per sample of a
  // run and must not touch the shared pointer's reference count.
  std::array<QCPGraphDataContainer*, kSeriesCount> data_{};
  std::array<bool, kSeriesCount> active_{};
  // Each series' lowest and highest value that is not NaN, kept as points
  // are added.
  std::array<std::optional<QCPRange>, kSeriesCount> values_{};
  int updateDepth_ = 0;
  bool repaintPending_ = false;
  bool dataChanged_ = false;
  bool followData_ = true;
  std::optional<View> beforeZoom_;
  QPointer<QMenu> popupMenu_;
  ChartReadout* readout_ = nullptr;  // owned by the chart as a layerable
  QCPGraph* mark_ = nullptr;         // made on first use, never in the legend
  QCPItemText* markText_ = nullptr;
  QCPGraph* shading_ = nullptr;

  Drag drag_ = Drag::None;
  bool dragStarted_ = false;
  QPoint pressPos_;
  QPoint currentPos_;
  QCPRange panBottom_;
  QCPRange panLeft_;
};

// Holds the chart's repaints for a scope: several changes, one repaint.
class ChartUpdate {
 public:
  explicit ChartUpdate(Chart& chart) : chart_(chart) { chart_.BeginUpdate(); }
  ~ChartUpdate() { chart_.EndUpdate(); }
  ChartUpdate(const ChartUpdate&) = delete;
  ChartUpdate& operator=(const ChartUpdate&) = delete;

 private:
  Chart& chart_;
};

}  // namespace veltrum
