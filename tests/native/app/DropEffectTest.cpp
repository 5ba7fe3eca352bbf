#include "app/rules/DropEffect.h"
#include "app/rules/DropRefusals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(DropEffect, OneMessageNamesEachRefusedFileAndWhy) {
    EXPECT_EQ(app::DropRefusalMessage(true, {}), "") << "nothing refused, no box";
    using app::DropRefusal;
    EXPECT_EQ(app::DropRefusalMessage(true, {{"C:\\From\\same.txt", DropRefusal::NameTaken},
                                             {"C:\\From\\Folder", DropRefusal::Folder},
                                             {"C:\\From\\open.txt", DropRefusal::InUse},
                                             {"C:\\From\\odd.txt", DropRefusal::Other, 1392}}),
              "移動に失敗しました。\n"
              "\nC:\\From\\same.txt\n    同じ名前のファイルがあります。"
              "\nC:\\From\\Folder\n    フォルダは移動・コピーできません。"
              "\nC:\\From\\open.txt\n    ほかのプログラムが使用中です。"
              "\nC:\\From\\odd.txt\n    エラー 1392。");
    std::vector<app::RefusedFile> many(13, app::RefusedFile{"x", DropRefusal::Missing});
    const std::string text = app::DropRefusalMessage(false, many);
    EXPECT_EQ(text.rfind("コピーに失敗しました。\n", 0), 0u);
    std::size_t listed = 0;
    for (std::size_t at = text.find("\nx\n"); at != std::string::npos; at = text.find("\nx\n", at + 1)) ++listed;
    EXPECT_EQ(listed, 10u) << "ten are named";
    EXPECT_EQ(text.substr(text.size() - 13), "\nほか 3 件") << "the others counted";
}

}  // namespace
