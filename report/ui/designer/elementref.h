// Where an element of the template being designed is: its section and its place
// in that section's element list (the drawing order).
//
// Sections are numbered as the model numbers them: 0 … 4 the fixed sections,
// kFirstGroupSection + 2g the start band and the number after it the end band of
// the group at position g.
#pragma once

#include <compare>

namespace report {

struct ElementRef {
  int section = 0;
  int index = 0;

  friend bool operator==(const ElementRef&, const ElementRef&) = default;
  friend auto operator<=>(const ElementRef&, const ElementRef&) = default;
};

}  // namespace report
