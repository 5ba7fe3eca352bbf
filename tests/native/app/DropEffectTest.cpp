#include "app/rules/DropEffect.h"

#include <gtest/gtest.h>

namespace {

using app::DropAction;
using app::DropRequest;

DropAction Choose(bool ctrl, bool shift, bool sameVolume, bool prefersCopy = false, bool copy = true,
                  bool move = true) {
    return app::ChooseDropAction(DropRequest{ctrl, shift, sameVolume, prefersCopy, copy, move});
}

TEST(DropEffect, AsAFolderWindowDecidesIt) {
    EXPECT_EQ(Choose(false, false, true), DropAction::Move) << "within one volume";
    EXPECT_EQ(Choose(false, false, false), DropAction::Copy) << "to another volume";
    EXPECT_EQ(Choose(true, false, true), DropAction::Copy) << "Ctrl copies";
    EXPECT_EQ(Choose(false, true, false), DropAction::Move) << "Shift moves";
    EXPECT_EQ(Choose(true, true, true), DropAction::Move) << "both: as without either";
    EXPECT_EQ(Choose(false, false, true, true), DropAction::Copy) << "the source asks for a copy";
    EXPECT_EQ(Choose(false, true, true, true), DropAction::Move) << "which Shift overrides";
}

TEST(DropEffect, OnlyWhatTheSourceAllows) {
    EXPECT_EQ(Choose(false, true, true, false, true, false), DropAction::Copy);
    EXPECT_EQ(Choose(true, false, true, false, false, true), DropAction::Move);
    EXPECT_EQ(Choose(false, false, true, false, false, false), DropAction::None);
}

}  // namespace
