#include "chart/point_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrum {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A NaN difference (a NaN value, or inf - inf) makes the step unknown, and
// an unknown step stays unknown.
double MaxStep(double a, double b) { return std::isnan(a) || std::isnan(b) ? std::nan("") : std::max(a, b); }

}  // namespace

void PointIndex::Reset() {
  for (std::vector<Block>& level : levels_) level.clear();
}

void PointIndex::Reserve(std::size_t points) {
  std::size_t blocks = points / kLeaf;
  for (std::size_t level = 0; level == 0 || blocks > 0; ++level, blocks /= kFanOut) {
    if (levels_.size() == level) levels_.emplace_back();
    levels_[level].reserve(blocks);
  }
}

std::size_t PointIndex::BlockSize(int level) {
  std::size_t size = kLeaf;
  for (int i = 0; i < level; ++i) size *= kFanOut;
  return size;
}

std::size_t PointIndex::Bytes() const {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < levels_.size(); ++i) bytes += levels_[i].capacity() * sizeof(Block);
  return bytes;
}

void PointIndex::Sync(const QCPGraphDataContainer& points) {
  const std::size_t n = static_cast<std::size_t>(points.size());
  if (levels_.empty()) levels_.emplace_back();
  const QCPGraphData* data = n ? &*points.constBegin() : nullptr;
  std::vector<Block>& leaves = levels_[0];
  if (leaves.capacity() < n / kLeaf) leaves.reserve(std::max(n / kLeaf, 2 * leaves.capacity()));
  for (std::size_t b = leaves.size(); (b + 1) * kLeaf <= n; ++b) {
    const QCPGraphData* p = data + b * kLeaf;
    Block block{kInf, -kInf, 0, p[0].key, p[kLeaf - 1].key};
    for (int i = 0; i < kLeaf; ++i) {
      const double v = p[i].value;
      if (v < block.low) block.low = v;
      if (v > block.high) block.high = v;
      if (i > 0) block.step = MaxStep(block.step, std::fabs(v - p[i - 1].value));
    }
    leaves.push_back(block);
  }
  // Each level above groups kFanOut whole blocks of the level below.
  for (std::size_t level = 1; levels_[level - 1].size() >= kFanOut; ++level) {
    if (levels_.size() == level) levels_.emplace_back();
    const std::size_t childSize = BlockSize(static_cast<int>(level) - 1);
    const std::vector<Block>& below = levels_[level - 1];
    std::vector<Block>& blocks = levels_[level];
    for (std::size_t b = blocks.size(); (b + 1) * kFanOut <= below.size(); ++b) {
      Block block{kInf, -kInf, 0, below[b * kFanOut].firstKey, below[(b + 1) * kFanOut - 1].lastKey};
      for (std::size_t c = b * kFanOut; c < (b + 1) * kFanOut; ++c) {
        block.low = std::min(block.low, below[c].low);
        block.high = std::max(block.high, below[c].high);
        block.step = MaxStep(block.step, below[c].step);
        // The step from the last point of the block before to this one's first.
        if (c > b * kFanOut)
          block.step =
              MaxStep(block.step, std::fabs(data[c * childSize].value - data[c * childSize - 1].value));
      }
      blocks.push_back(block);
    }
  }
}

}  // namespace veltrum
