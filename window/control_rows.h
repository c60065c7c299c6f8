#pragma once
// Windows are laid out from design tables: one row per control with its
// name, place, hint and tab stop. The control's objectName is its name, so
// handlers and tests find it by that name.
#include <QWidget>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrum {

inline constexpr int kNoTabStop = -1;

// Where the control of a row goes.
struct ControlPlace {
  std::string_view name;
  std::string_view parent = {};  // a control of an earlier row, or empty for the form
  int left, top, width, height;  // relative to the parent; width 0: the control sizes itself
  std::string_view hint = {};    // the tool tip, also the accessible description
  int tab = kNoTabStop;          // the place in the tab chain
};

// The controls built so far from one table.
class ControlTable {
 public:
  explicit ControlTable(QWidget& form) : form_(form) {}

  QWidget& Parent(const ControlPlace& place) const;
  // Names and places a control just created under Parent(place).
  void Add(QWidget& control, const ControlPlace& place);
  // Chains the tab stops by their numbers.
  void ChainTabStops();

 private:
  QWidget& form_;
  std::vector<std::pair<int, QWidget*>> tabStops_;
};

// Creates the controls of rows in order (later rows lie above earlier
// ones): place(row) says where a row's control goes, create(row, parent)
// makes it.
template <typename Row, typename Place, typename Create>
void BuildControls(QWidget& form, std::span<const Row> rows, Place place, Create create) {
  ControlTable table(form);
  for (const Row& row : rows) {
    const ControlPlace where = place(row);
    table.Add(*create(row, table.Parent(where)), where);
  }
  table.ChainTabStops();
}

}  // namespace veltrum
