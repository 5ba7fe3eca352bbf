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

std::vector<std::size_t> SortedInsertionOrder(const std::vector<std::string>& keys) {
    const std::size_t n = keys.size();
    std::vector<std::size_t> sorted(n);
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    // Number the groups of equal keys in sorted order; each group collects its items in the control's order.
    std::vector<std::size_t> groupOf(n);
    std::size_t groups = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || keys[sorted[i]] != keys[sorted[i - 1]]) ++groups;
        groupOf[sorted[i]] = groups - 1;
    }
    std::vector<std::vector<std::size_t>> members(groups);
    GroupCounts counts(groups);
    for (std::size_t item = 0; item < n; ++item) {
        const std::size_t group = groupOf[item];
        std::vector<std::size_t>& equal = members[group];
        const std::size_t below = counts.Below(group);
        const std::size_t position = SearchedPosition(item, below, equal.size());
        equal.insert(equal.begin() + static_cast<std::ptrdiff_t>(position - below), item);
        counts.Add(group);
    }

    std::vector<std::size_t> order;
    order.reserve(n);
    for (const std::vector<std::size_t>& equal : members) order.insert(order.end(), equal.begin(), equal.end());
    return order;
}

}  // namespace ui
