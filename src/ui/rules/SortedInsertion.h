// Where a sorted list control puts items that are added to it one at a time, worked out in one pass, so that a list
// can be filled in order without the control searching and moving its items on every insert.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace ui {

// The control finds an insert position by a binary search over its items (min 0, max count - 1, probe
// (min + max) / 2; an item above the new one moves max below the probe, one below moves min above it, an equal one
// is the place) and inserts there; with no equal item the place is min. keys[i] is the comparison key of the i-th
// item added to an empty control: two items compare as their keys do, byte by byte as unsigned values, and equal
// keys are items the control takes as equal. Returns the indices into keys in the order the control holds them
// after all have been added; equal items keep the order the control's search gives them, which is not always the
// order they came in.
std::vector<std::size_t> SortedInsertionOrder(const std::vector<std::string_view>& keys);

}  // namespace ui
