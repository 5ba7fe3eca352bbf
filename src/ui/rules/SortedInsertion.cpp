#include "ui/rules/SortedInsertion.h"

#include <algorithm>
#include <numeric>

namespace ui {

namespace {

// Counts of items per group of equal keys, with sums over the groups below one: the number of items a new one
// finds below it in the control.
class GroupCounts {
public:
    explicit GroupCounts(std::size_t groups) : tree_(groups + 1, 0) {}
    void Add(std::size_t group) {
        for (std::size_t i = group + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    // Items in the groups before group.
    std::size_t Below(std::size_t group) const {
        std::size_t sum = 0;
        for (std::size_t i = group; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

private:
    std::vector<std::size_t> tree_;
};

// The position the control's binary search gives a new item among count items, when the items below it fill
// [0, below) and those equal to it [below, below + equal).
std::size_t SearchedPosition(std::size_t count, std::size_t below, std::size_t equal) {
    long min = 0;
    long max = static_cast<long>(count) - 1;
    const long low = static_cast<long>(below);
    const long high = static_cast<long>(below + equal);
    while (min <= max) {
        const long probe = (min + max) / 2;
        if (probe < low) min = probe + 1;
        else if (probe >= high) max = probe - 1;
        else return static_cast<std::size_t>(probe);
    }
    return static_cast<std::size_t>(min);
}

}  // namespace

std::vector<std::size_t> SortedInsertionOrder(const std::vector<std::string_view>& keys) {
    const std::size_t n = keys.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    // Number the groups of equal keys in sorted order; each group owns the stretch of places it starts at.
    std::vector<std::size_t> groupOf(n);
    std::vector<std::size_t> start;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || keys[order[i]] != keys[order[i - 1]]) start.push_back(i);
        groupOf[order[i]] = start.size() - 1;
    }

    // Replay the inserts: an item goes into its group's stretch where the control's search puts it among the equal
    // items already there. Most groups hold one item, which needs no search.
    const std::size_t groups = start.size();
    std::vector<std::size_t> filled(groups, 0);
    GroupCounts counts(groups);
    for (std::size_t item = 0; item < n; ++item) {
        const std::size_t group = groupOf[item];
        const std::size_t equal = filled[group];
        std::size_t position = 0;
        if (equal > 0) {
            const std::size_t below = counts.Below(group);
            position = SearchedPosition(item, below, equal) - below;
        }
        const auto stretch = order.begin() + static_cast<std::ptrdiff_t>(start[group]);
        const auto place = stretch + static_cast<std::ptrdiff_t>(position);
        const auto end = stretch + static_cast<std::ptrdiff_t>(equal);
        std::copy_backward(place, end, end + 1);
        *place = item;
        filled[group] = equal + 1;
        counts.Add(group);
    }
    return order;
}

}  // namespace ui
