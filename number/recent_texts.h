#pragma once
// What FormatNumber keeps of the texts it wrote last; only number_text.cpp
// includes this.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "number/number_text.h"

namespace veltrum::detail {

// The last texts written on this thread, by value. A plotted sample's x is
// written when the evaluator types it and again when the sample is
// printed, and its y is read from the display's text and written again.
class RecentTexts {
 public:
  bool Find(Extended v, char* buf, std::size_t& len) const {
    const Bits b = BitsOf(v);
    for (const Entry& e : entries_)
      if (e.bits.significand == b.significand && e.bits.exponent == b.exponent && e.len != 0) {
        std::memcpy(buf, e.text, kNumberTextCapacity);
        len = e.len;
        return true;
      }
    return false;
  }
  // text: a buffer of kNumberTextCapacity bytes, len of them written.
  void Add(Extended v, const char* text, std::size_t len) {
    Entry& e = Take(v, len);
    std::memcpy(e.text, text, kNumberTextCapacity);
  }
  void AddText(Extended v, std::string_view text) {
    Entry& e = Take(v, text.size());
    std::memcpy(e.text, text.data(), text.size());
  }
  // Whether text is the last one added.
  bool IsLast(std::string_view text) const {
    return last_ && text.size() == last_->len && std::memcmp(text.data(), last_->text, text.size()) == 0;
  }

 private:
  // Enough for a sample: its x, then its y as computed and as read back.
  static constexpr std::size_t kEntries = 3;
  // The value's 80 bits: integers compare faster than the x87 unit.
  struct Bits {
    std::uint64_t significand = 0;
    std::uint16_t exponent = 0;
  };
  struct Entry;
  Entry& Take(Extended v, std::size_t len) {
    Entry& e = entries_[next_];
    next_ = next_ + 1 == kEntries ? 0 : next_ + 1;
    e.bits = BitsOf(v);
    e.len = static_cast<std::uint8_t>(len);
    last_ = &e;
    return e;
  }
  static Bits BitsOf(Extended v) {
    Bits b;
    std::memcpy(&b.significand, &v, sizeof b.significand);
    std::memcpy(&b.exponent, reinterpret_cast<const char*>(&v) + 8, sizeof b.exponent);
    return b;
  }
  struct Entry {
    Bits bits;
    char text[kNumberTextCapacity] = {};
    std::uint8_t len = 0;
  };
  Entry entries_[kEntries];
  std::size_t next_ = 0;
  const Entry* last_ = nullptr;
};

}  // namespace veltrum::detail
