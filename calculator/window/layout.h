#pragma once
// The design of the calculator window as data: one row per control, in
// creation order (which is also the tab order). TForm1 builds every row
// with one loop; tests read the same rows to check the built window.
#include <span>
#include <string_view>

#include "window/design_fonts.h"

namespace veltrum {

enum class CalcControlKind {
  Display,  // read-only one-line text, right-justified (Text1, txtM1..3)
  Group,    // frame with an optional caption
  Button,   // a calculator key
  Option,   // an angle-unit radio button
  Label,    // a passive text
  Mark,     // a second-function label: black on yellow
  Picture,  // a second-function picture drawn by SecondFunctionPicture
};

struct CalcControlRow {
  CalcControlKind kind;
  std::string_view name;
  std::string_view parent;  // a Group row above, or empty for the window
  std::string_view caption;
  Face face;
  int pixels;  // font height in pixels
  bool bold;
  int left, top, width, height;  // relative to the parent
  std::string_view hint;
};

// Every control of the calculator part of the window.
std::span<const CalcControlRow> CalculatorControls();

// Where an element key of the panel stands: in the table's frame, in the
// side column left of it, or as a group picture below it.
enum class ElementPlace { Table, Side, Group };

struct ElementKeyPlace {
  ElementPlace place;
  int left, top, width, height;  // in the window's client area
};

// The places of the element keys, row by row of ElementKeys(). Table rows
// lie at top 16 + 40 (r - 1) and columns at left 360 + 40 (c - 1); the side
// column repeats eleven elements at left 312.
std::span<const ElementKeyPlace> ElementKeyPlaces();

// Font of the element keys of the periodic table.
inline constexpr Face kElementFace = Face::ArialNarrow;
inline constexpr int kElementPixels = 19;

// Client area of the window with the periodic table shown.
inline constexpr int kClientWidth = 768;
inline constexpr int kClientHeight = 463;
inline constexpr int kWindowLeft = 9;
inline constexpr int kWindowTop = 23;

// The periodic-table frame.
inline constexpr int kTableFrameLeft = 352, kTableFrameTop = 0;
inline constexpr int kTableFrameWidth = 409, kTableFrameHeight = 417;

}  // namespace veltrum
