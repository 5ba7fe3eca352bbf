#include "app/rules/HotKeyText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace app {

void PrintTo(const HotKey& h, std::ostream* os) { *os << "{modifiers " << h.modifiers << ", key " << h.key << "}"; }

}  // namespace app

namespace {

using app::HotKey;
constexpr unsigned kCtrlAlt = app::kHotKeyCtrl | app::kHotKeyAlt;

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCaseAndWritesThemInOneOrder) {
    EXPECT_EQ(app::ParseHotKey("Ctrl+Alt+T"), (HotKey{kCtrlAlt, 'T'}));
    EXPECT_EQ(app::ParseHotKey("alt + CTRL + t"), (HotKey{kCtrlAlt, 'T'}));
    EXPECT_EQ(app::ParseHotKey("Win+Shift+Control+Alt+F12"),
              (HotKey{kCtrlAlt | app::kHotKeyShift | app::kHotKeyWin, 0x7B}));
    EXPECT_EQ(app::FormatHotKey({kCtrlAlt | app::kHotKeyShift | app::kHotKeyWin, 0x7B}), "Ctrl+Alt+Shift+Win+F12");
    EXPECT_EQ(app::ParseHotKey("F5"), (HotKey{0, 0x74})) << "a key without modifiers is a hotkey too";
}

TEST(HotKeyText, EveryKeyItCanWriteReadsBackToTheSameKey) {
    for (unsigned key = 1; key < 0xFF; ++key) {
        const HotKey hotKey = app::HotKeyFromControl((app::kControlCtrl << 8) | key);
        if (hotKey.key == 0) continue;  // a modifier key itself
        const std::string text = app::FormatHotKey(hotKey);
        EXPECT_EQ(app::ParseHotKey(text), hotKey) << text;
    }
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyCtrl, 0x20}), "Ctrl+Space");
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyAlt, 0x2E}), "Alt+Delete");
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyAlt, 0x22}), "Alt+PageDown");
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyAlt, 0x63}), "Alt+Num3");
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyAlt, 0x87}), "Alt+F24");
    EXPECT_EQ(app::FormatHotKey({app::kHotKeyAlt, 0xBA}), "Alt+VKBA") << "a key without a name of its own";
    EXPECT_EQ(app::ParseHotKey("Ctrl+Del"), (HotKey{app::kHotKeyCtrl, 0x2E}));
    EXPECT_EQ(app::ParseHotKey("Ctrl+vk41"), (HotKey{app::kHotKeyCtrl, 'A'}));
}

TEST(HotKeyText, TextsThatNameNoSingleKeyGiveNoHotKey) {
    for (const char* text : {"", "  ", "Ctrl+Alt", "Ctrl+", "+T", "Ctrl+Ctrl+T", "Ctrl+T+Alt", "Ctrl+AB", "Ctrl+F0",
                             "Ctrl+F25", "Ctrl+F05", "Hyper+T", "Ctrl+VK10", "Ctrl+VKFF", "Ctrl+VKG1", "Ctrl+Num10",
                             "Ctrl+Alt+Ü", "Ctrl+Shift"}) {
        EXPECT_EQ(app::ParseHotKey(text), HotKey{}) << text;
    }
    EXPECT_EQ(app::FormatHotKey(HotKey{}), "");
}

TEST(HotKeyText, TheHotKeyControlsValueConvertsBothWays) {
    // Ctrl+Alt+K as the control gives it, and Shift+Delete with the extended flag the control sets for that block.
    EXPECT_EQ(app::HotKeyFromControl(0x0600 | 'K'), (HotKey{kCtrlAlt, 'K'}));
    EXPECT_EQ(app::HotKeyFromControl(0x0900 | 0x2E), (HotKey{app::kHotKeyShift, 0x2E}));
    EXPECT_EQ(app::ControlValueOf({kCtrlAlt, 'K'}), 0x0600u | 'K');
    EXPECT_EQ(app::ControlValueOf({app::kHotKeyShift, 0x2E}), 0x0900u | 0x2E);
    EXPECT_EQ(app::ControlValueOf({app::kHotKeyWin | app::kHotKeyCtrl, 'K'}), 0x0200u | 'K') << "the control has no Win";
    EXPECT_EQ(app::HotKeyFromControl(0), HotKey{});
    EXPECT_EQ(app::HotKeyFromControl(0x0200 | 0x11), HotKey{}) << "Ctrl alone";
    EXPECT_EQ(app::ControlValueOf(HotKey{}), 0u);
}

}  // namespace
