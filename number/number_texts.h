#pragma once
// The number texts of one line of work, with a memory of the last texts it
// wrote. Whoever formats owns one, as it owns its calculator or evaluator:
// each calculator has its own, and a sampling worker formats its grid and
// its lines with its calculator's, so that the texts of a sample are
// written once and copied afterwards. Not shared between threads.
#include <cstddef>
#include <string>
#include <string_view>

#include "number/number_text.h"
#include "number/recent_texts.h"

namespace veltrum {

class NumberTexts {
 public:
  // FormatNumber, a copy when v is one of the last values written.
  std::size_t Format(Extended v, char* buf);
  std::string Text(Extended v);
  // ReadNumberDouble; a text this object wrote last is remembered with the
  // double it reads as, so that writing that double again is a copy.
  double ReadDouble(std::string_view text);
  // Takes text, which a Format of v wrote (here or on another NumberTexts),
  // as the last text written: the next Format of v copies it.
  void Remember(Extended v, std::string_view text) { recent_.AddText(v, text); }

 private:
  detail::RecentTexts recent_;
};

}  // namespace veltrum
