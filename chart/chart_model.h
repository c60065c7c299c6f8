#pragma once
// What the plot window and the sampling run need of a chart: ten point
// series by index, their activity, their points and the two axis ranges.
// No Qt here, so that the commands can be driven against a recorder.
#include <array>
#include <cstddef>
#include <cstdint>

namespace veltrum {

inline constexpr int kSeriesCount = 10;

struct SeriesStyle {
  const char* name;
  std::uint8_t red, green, blue;
};

// F1..F10 in the classic sixteen-colour palette (red .. maroon).
inline constexpr std::array<SeriesStyle, kSeriesCount> kSeriesStyles{{
    {"F1", 255, 0, 0},      // clRed
    {"F2", 0, 128, 0},      // clGreen
    {"F3", 255, 255, 0},    // clYellow
    {"F4", 0, 0, 255},      // clBlue
    {"F5", 255, 255, 255},  // clWhite
    {"F6", 128, 128, 128},  // clGray
    {"F7", 255, 0, 255},    // clFuchsia
    {"F8", 0, 128, 128},    // clTeal
    {"F9", 0, 0, 128},      // clNavy
    {"F10", 128, 0, 0},     // clMaroon
}};

enum class ChartAxis { Left, Bottom };

class ChartModel {
 public:
  virtual ~ChartModel() = default;

  // An inactive series is not drawn and not in the legend; its points stay.
  virtual void SetActive(int series, bool active) = 0;
  virtual bool IsActive(int series) const = 0;
  // Removes every point of the series and repaints.
  virtual void Clear(int series) = 0;
  // Makes room for a number of points about to be added.
  virtual void Reserve(int series, std::size_t points) = 0;
  // Points arrive in ascending x; adding one does not repaint by itself.
  virtual void AddPoint(int series, double x, double y) = 0;
  virtual int PointCount(int series) const = 0;
  // The axis shows exactly [minimum, maximum] and stops following the data.
  virtual void SetAxisRange(ChartAxis axis, double minimum, double maximum) = 0;

  // Between BeginUpdate and the matching EndUpdate nothing is repainted;
  // EndUpdate repaints once. Calls nest.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
};

// Holds the chart's repaints for a scope: several changes, one repaint.
class ChartUpdate {
 public:
  explicit ChartUpdate(ChartModel& chart) : chart_(chart) { chart_.BeginUpdate(); }
  ~ChartUpdate() { chart_.EndUpdate(); }
  ChartUpdate(const ChartUpdate&) = delete;
  ChartUpdate& operator=(const ChartUpdate&) = delete;

 private:
  ChartModel& chart_;
};

}  // namespace veltrum
