#include "chart/chart.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "chart/chart_readout.h"
#include "chart/point_graph.h"

namespace veltrum {

namespace {

// The legend's disc: the component's default size, which leaves room for
// the colour inside a one-pixel edge.
constexpr double kLegendMarkerSize = 8.0;
// The legend's colour swatches are wide: 40 px against the default 12.
constexpr int kLegendIconWidth = 40;
constexpr int kLegendIconHeight = 12;
// Axes that follow the data leave this share of the range free at each
// end, so the discs at the extremes are drawn whole.
constexpr double kDataMargin = 0.02;

QColor ColourOf(const SeriesStyle& style) { return QColor(style.red, style.green, style.blue); }

// The yellow F3 and the white F5 all but vanish on the white legend and
// the light plot area: their discs, and every legend marker, are edged in
// a dark grey.
const QColor kOutlineColour(0x40, 0x40, 0x40);

bool IsLight(const SeriesStyle& style) {
  return 299 * style.red + 587 * style.green + 114 * style.blue > 200'000;
}

QCPRange WithMargin(QCPRange range) {
  if (range.size() == 0) return QCPRange(range.lower - 1, range.upper + 1);
  const double margin = range.size() * kDataMargin;
  return QCPRange(range.lower - margin, range.upper + margin);
}

const QColor kPlotAreaColour(0xD4, 0xD0, 0xC8);

}  // namespace

Chart::Chart(QWidget* parent) : QCustomPlot(parent) {
  // The back wall is transparent over the classic window face, a grey on
  // which the white F5 and the yellow F3 stand out from the plot area
  // (a near-white face would all but hide them).
  setBackground(palette().window());
  axisRect()->setBackground(kPlotAreaColour);
  setInteractions(QCP::Interactions());
  setSelectionRectMode(QCP::srmNone);
  setFocusPolicy(Qt::TabFocus);
  // Tick labels are numbers of the program: with the decimal comma and
  // without group separators.
  QLocale numbers(QLocale::Russian, QLocale::Russia);
  numbers.setNumberOptions(QLocale::OmitGroupSeparator);
  setLocale(numbers);
  SetUpSeries();
  SetUpLegend();
  readout_ = new ChartReadout(this);
  setMouseTracking(true);
  connect(this, &QCustomPlot::beforeReplot, this, [this] {
    if (followData_ && dataChanged_) RescaleToData();
    dataChanged_ = false;
  });
}

namespace {

// A graph's points with room made ahead: a run knows its sample count before
// its first point, and growing a million-point array step by step costs
// more than filling it.
class ReservingContainer : public QCPGraphDataContainer {
 public:
  void Reserve(int n) {
    mData.reserve(mPreallocSize + n);
    // The list gives up silently when the allocation fails; its points
    // would then grow step by step until one step found no memory.
    if (mData.capacity() < mPreallocSize + n) throw std::bad_alloc();
  }
  // Frees the room of points no longer held.
  void Release() { mData.squeeze(); }
  std::size_t Room() const { return static_cast<std::size_t>(mData.capacity() - mPreallocSize); }
};

}  // namespace

void Chart::SetUpSeries() {
  for (int i = 0; i < kSeriesCount; ++i) {
    const SeriesStyle& style = kSeriesStyles[i];
    auto* graph =
        new PointGraph(xAxis, yAxis, ColourOf(style), IsLight(style) ? kOutlineColour : QColor(Qt::transparent));
    graph->setName(QString::fromLatin1(style.name));
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setPen(QPen(ColourOf(style)));
    // The scatter style draws only the legend's marker, a disc a little
    // larger than a point so that its colour shows inside the edge; the
    // points are the graph's own drawing.
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(kOutlineColour), QBrush(ColourOf(style)),
                                           kLegendMarkerSize));
    graph->setData(QSharedPointer<QCPGraphDataContainer>(new ReservingContainer));
    graphs_[i] = graph;
    data_[i] = graph->data().data();
    active_[i] = true;
  }
}

void Chart::SetUpLegend() {
  // The legend stands in its own column right of the axes, at the top.
  auto* column = new QCPLayoutGrid;
  plotLayout()->addElement(0, 1, column);
  column->addElement(0, 0, legend);
  column->addElement(1, 0, new QCPLayoutElement(this));
  column->setRowStretchFactor(0, 0.001);
  // The legend's frame is drawn one pixel right of its rectangle: without
  // this margin its right line would fall outside the widget.
  column->setMargins(QMargins(0, 0, 1, 0));
  plotLayout()->setColumnStretchFactor(1, 0.001);
  legend->setIconSize(kLegendIconWidth, kLegendIconHeight);
  legend->setBrush(Qt::white);
  RebuildLegend();
}

// Rebuilt from scratch so that the legend keeps the order F1..F10 however
// the series were switched on.
void Chart::RebuildLegend() {
  legend->clearItems();
  bool any = false;
  for (int i = 0; i < kSeriesCount; ++i) {
    graphs_[i]->setVisible(active_[i]);
    if (active_[i]) {
      graphs_[i]->addToLegend();
      any = true;
    }
  }
  legend->setVisible(any);
}

void Chart::SetActive(int series, bool active) {
  if (active_[series] == active) return;
  active_[series] = active;
  RebuildLegend();
  DataChanged();
  RequestRepaint();
}

bool Chart::IsActive(int series) const { return active_[series]; }

void Chart::Clear(int series) {
  data_[series]->clear();
  values_[series].reset();
  static_cast<PointGraph*>(graphs_[series])->PointsCleared();
  DataChanged();
  RequestRepaint();
}

void Chart::AddPoint(int series, double x, double y) {
  QCPGraphDataContainer& data = *data_[series];
  // A point before the last one is sorted in among the others: the summary
  // of the points starts again.
  if (!data.isEmpty() && !(x >= (data.constEnd() - 1)->key))
    static_cast<PointGraph*>(graphs_[series])->PointsCleared();
  data.add(QCPGraphData(x, y));
  // The value range grows with the points, so that fitting the axes while
  // a run adds them does not scan millions of points every repaint.
  if (!std::isnan(y)) {
    std::optional<QCPRange>& range = values_[series];
    if (!range)
      range = QCPRange(y, y);
    else
      range = QCPRange(std::min(range->lower, y), std::max(range->upper, y));
  }
  dataChanged_ = true;
  if (updateDepth_ > 0)
    repaintPending_ = true;
  else
    replot(rpQueuedReplot);
}

void Chart::Reserve(int series, std::size_t points) {
  const std::size_t room = std::min<std::size_t>(points, static_cast<std::size_t>(INT_MAX) / 2);
  auto* data = static_cast<ReservingContainer*>(data_[series]);
  try {
    data->Reserve(static_cast<int>(room));
    static_cast<PointGraph*>(graphs_[series])->ReservePoints(room);
  } catch (const std::bad_alloc&) {
    // The room that was made goes back, for a smaller run after this one.
    data->Release();
    static_cast<PointGraph*>(graphs_[series])->ReleasePoints();
    throw;
  }
}

std::size_t Chart::BytesToReserve(int series, std::size_t points) const {
  const std::size_t room = static_cast<const ReservingContainer*>(data_[series])->Room();
  const std::size_t more = points > room ? points - room : 0;
  // The summary: a block per kLeaf points, and an eighth of that again for
  // the levels above.
  const std::size_t summary = points / PointIndex::kLeaf * sizeof(PointIndex::Block) * 8 / 7;
  return more * sizeof(QCPGraphData) + summary;
}

void Chart::SetReferenceDrawing(bool on) {
  for (QCPGraph* graph : graphs_) static_cast<PointGraph*>(graph)->SetReferenceDrawing(on);
}

std::size_t Chart::SummaryBytes() const {
  std::size_t bytes = 0;
  for (const QCPGraph* graph : graphs_) bytes += static_cast<const PointGraph*>(graph)->IndexBytes();
  return bytes;
}

int Chart::PointCount(int series) const { return data_[series]->size(); }

const PointIndex& Chart::Summary(int series) { return static_cast<PointGraph*>(graphs_[series])->Summary(); }

void Chart::SetAxisRange(ChartAxis axis, double minimum, double maximum) {
  QCPAxis* target = axis == ChartAxis::Left ? yAxis : xAxis;
  target->setRange(minimum, maximum);
  followData_ = false;
  // The fixed ranges are the new view that a restore returns to.
  beforeZoom_.reset();
  RequestRepaint();
}

void Chart::BeginUpdate() { ++updateDepth_; }

void Chart::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0 && repaintPending_) Refresh();
}

void Chart::Refresh() {
  repaintPending_ = false;
  replot();
}

void Chart::DataChanged() { dataChanged_ = true; }

void Chart::RequestRepaint() {
  if (updateDepth_ > 0) {
    repaintPending_ = true;
    return;
  }
  Refresh();
}

void Chart::RescaleToData() {
  bool haveBottom = false;
  bool haveLeft = false;
  QCPRange bottom;
  QCPRange left;
  for (int i = 0; i < kSeriesCount; ++i) {
    if (!active_[i] || data_[i]->isEmpty()) continue;
    bool found = false;
    const QCPRange keys = graphs_[i]->getKeyRange(found);
    if (found) {
      bottom = haveBottom ? QCPRange(std::min(bottom.lower, keys.lower), std::max(bottom.upper, keys.upper))
                          : keys;
      haveBottom = true;
    }
    found = values_[i].has_value();
    const QCPRange values = values_[i].value_or(QCPRange());
    if (found) {
      left = haveLeft ? QCPRange(std::min(left.lower, values.lower), std::max(left.upper, values.upper))
                      : values;
      haveLeft = true;
    }
  }
  if (haveBottom) xAxis->setRange(WithMargin(bottom));
  if (haveLeft) yAxis->setRange(WithMargin(left));
}

}  // namespace veltrum
