// The order a sorted list control ends with, worked out in one pass, against the control's own way of getting there:
// each item inserted where a binary search over the items already in it lands.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "ui/rules/SortedInsertion.h"

namespace {

// The control, one insert at a time: the search stops at the first equal item it probes, else where it ends.
std::vector<std::size_t> InsertedOneByOne(const std::vector<std::string>& keys) {
    std::vector<std::size_t> items;
    for (std::size_t item = 0; item < keys.size(); ++item) {
        long min = 0;
        long max = static_cast<long>(items.size()) - 1;
        long place = -1;
        while (min <= max && place < 0) {
            const long probe = (min + max) / 2;
            const std::string& there = keys[items[static_cast<std::size_t>(probe)]];
            if (there == keys[item]) place = probe;
            else if (keys[item] < there) max = probe - 1;
            else min = probe + 1;
        }
        items.insert(items.begin() + (place >= 0 ? place : min), item);
    }
    return items;
}

std::vector<std::size_t> Order(const std::vector<std::string>& keys) {
    return ui::SortedInsertionOrder(std::vector<std::string_view>(keys.begin(), keys.end()));
}

TEST(SortedInsertion, EqualKeysTakeThePlacesTheControlsSearchGivesThem) {
    // Where an equal key lands depends on the probes of the search, not on the order the keys came in.
    const std::vector<std::string> keys = {"b", "a", "b", "c", "b", "a"};
    EXPECT_EQ(Order(keys), InsertedOneByOne(keys));
}

TEST(SortedInsertion, AnyMixOfKeysEndsInTheControlsOrder) {
    std::mt19937 random(2026);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::size_t count = random() % 60;
        const int letters = 1 + static_cast<int>(random() % 8);  // few letters: many equal keys
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < count; ++i) {
            std::string key(1 + random() % 2, 'a');
            for (char& c : key) c = static_cast<char>('a' + random() % letters);
            keys.push_back(key);
        }
        ASSERT_EQ(Order(keys), InsertedOneByOne(keys)) << "trial " << trial;
    }
}

}  // namespace
