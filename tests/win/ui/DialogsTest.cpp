// The message boxes shown on real windows: exact captions, texts and buttons whatever the system language, and the
// answers they give when a button is pressed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "BoxWatcher.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

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

// A window of another thread that takes the foreground, as another program does when the user switches to it.
class ForeignWindow {
public:
    ForeignWindow() {
        thread_ = std::thread([this] {
            HWND w = CreateWindowExA(0, "Static", "other program", WS_POPUP | WS_VISIBLE, 600, 400, 100, 50, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
            SetForegroundWindow(w);
            window_ = w;
            MSG msg;
            while (!done_) {
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            }
            DestroyWindow(w);
        });
    }
    ~ForeignWindow() {
        done_ = true;
        thread_.join();
    }
    bool Created() const { return window_ != nullptr; }

private:
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// A box that comes while the program is in the background, with a modal form open over a disabled main window,
// belongs to that form: the form takes no clicks while the box is open.
TEST_F(DialogsTest, BoxInTheBackgroundBelongsToTheOpenModalForm) {
    ui::Form main(nullptr, "TBoxOwnerMain", "Main");
    main.SetBounds(100, 100, 300, 200);
    main.Show();
    ui::Form dialog(&main, "TBoxOwnerDialog", "Dialog");
    dialog.SetBounds(150, 150, 200, 120);
    auto* go = new ui::Button(&dialog, &dialog, "Button1", "go", 10, 10, 60, 25);
    SeenBox seen;
    bool background = false;
    go->OnClick = [&](ui::Component*) {
        ForeignWindow other;
        // The switch reaches this thread as messages: handle them until the program has no active window.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(other.Created() && GetActiveWindow() == nullptr) && std::chrono::steady_clock::now() < deadline) {
            ui::App().ProcessMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        background = GetActiveWindow() == nullptr;
        BoxWatcher w(Me(), "OK");
        ui::ShowMessage("アップデートの確認が終わりました");
        seen = w.Result();
        dialog.SetModalResult(ui::mrOk);
    };
    PostMessageA(go->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    ASSERT_TRUE(background) << "the other window never took the foreground";
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, dialog.Handle());
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.Handle())) << "enabled again after the dialog";
}

}  // namespace
