#pragma once
// A summary of one series for drawing: for blocks of consecutive points
// (16 at the bottom, eight times more at each level above) the lowest and
// highest value, the largest step between two neighbouring values and the
// first and last key. A
// repaint asks it which pixels of a column the points of a block reach
// instead of visiting every point, so that a frame costs in proportion to
// the pixels, not to the points.
//
// Only whole bottom blocks are summarised; the points after the last one
// are visited one by one. A series only grows at its end between clears,
// so Sync extends the summary from where it stopped.
#include <qcustomplot.h>

#include <cstdint>
#include <vector>

namespace veltrum {

class PointIndex {
 public:
  static constexpr int kLeaf = 16;
  static constexpr int kFanOut = 8;

  struct Block {
    double low;   // lowest value that is not NaN; +inf when there is none
    double high;  // highest such value; -inf when there is none
    double step;  // largest |difference| of neighbouring values; NaN when unknown
    // The keys of the first and the last point: a repaint finds the pixel
    // columns of a block here, without reaching into the points.
    double firstKey;
    double lastKey;
  };

  // Drops the summary: the series was cleared. Its memory is kept for the
  // next points, as the series keeps the room of its points.
  void Reset();
  // Makes room for the summary of a number of points, so that summarising
  // them allocates nothing: a run reserves before its first point, and a
  // repaint never runs out of memory half way.
  void Reserve(std::size_t points);
  // Drops the summary and frees its memory.
  void Release() { levels_ = {}; }
  // Summarises the blocks completed since the last call.
  void Sync(const QCPGraphDataContainer& points);

  int Levels() const { return static_cast<int>(levels_.size()); }
  // Points that level's blocks cover: kLeaf times kFanOut to the level.
  static std::size_t BlockSize(int level);
  // The summarised blocks of a level.
  const std::vector<Block>& Blocks(int level) const { return levels_[static_cast<std::size_t>(level)]; }
  // Bytes held by the summary.
  std::size_t Bytes() const;

 private:
  std::vector<std::vector<Block>> levels_;
};

}  // namespace veltrum
