// The message boxes shown on real windows: exact captions, texts and buttons whatever the system language, and the
// answers they give when a button is pressed.
#include <gtest/gtest.h>

#include "BoxWatcher.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::App().Initialize();
        ui::App().SetTitle("Tessaly");
    }
    DWORD Me() const { return GetCurrentThreadId(); }
};

TEST_F(DialogsTest, PlainBoxHasTheTitleTheTextAndOneOk) {
    BoxWatcher w(Me(), "OK");
    ui::ShowMessage("選択してください");
    const SeenBox& box = w.Result();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Tessaly");
    EXPECT_EQ(box.text, "選択してください");
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(box.hasIcon);
}

TEST_F(DialogsTest, LineFeedThenCarriageReturnReachesTheBoxInThatOrder) {
    BoxWatcher w(Me(), "OK");
    ui::ShowMessage("一行目\n\r二行目");
    EXPECT_EQ(w.Result().text, "一行目\n\r二行目");
}

TEST_F(DialogsTest, WarningBoxAsksYesOrNo) {
    {
        BoxWatcher w(Me(), "はい(&Y)");
        EXPECT_TRUE(ui::ConfirmWarning("拡張子が変更されています。ファイル名を変更しますか？"));
        const SeenBox& box = w.Result();
        EXPECT_EQ(box.caption, "警告");
        EXPECT_EQ(box.text, "拡張子が変更されています。ファイル名を変更しますか？");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
        EXPECT_TRUE(box.hasIcon);
    }
    {
        BoxWatcher w(Me(), "いいえ(&N)");
        EXPECT_FALSE(ui::ConfirmWarning("x"));
    }
}

TEST_F(DialogsTest, EscapeAnswersNoInAWarningBox) {
    BoxWatcher w(Me(), "");
    EXPECT_FALSE(ui::ConfirmWarning("をゴミ箱に移動しますか？"));
    EXPECT_TRUE(w.Result().found);
}

TEST_F(DialogsTest, ErrorBoxHasOneAbortButton) {
    BoxWatcher w(Me(), "中止(&A)");
    ui::ShowErrorAbort("\"/\"はファイル名に使えません");
    const SeenBox& box = w.Result();
    EXPECT_EQ(box.caption, "エラー");
    EXPECT_EQ(box.text, "\"/\"はファイル名に使えません");
    EXPECT_EQ(box.buttons, std::vector<std::string>{"中止(&A)"});
    EXPECT_TRUE(box.hasIcon);
}

TEST_F(DialogsTest, QuestionBoxHasNoIconAndEscapeAnswersNo) {
    {
        BoxWatcher w(Me(), "はい(&Y)");
        EXPECT_TRUE(ui::AskYesNo("バージョン2がリリースされています。"));
        const SeenBox& box = w.Result();
        EXPECT_EQ(box.caption, "Tessaly");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
        EXPECT_FALSE(box.hasIcon);
    }
    {
        BoxWatcher w(Me(), "");
        EXPECT_FALSE(ui::AskYesNo("x"));
    }
}

}  // namespace
