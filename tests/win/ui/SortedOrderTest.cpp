// Sorted lists hold their items in exactly the order the system's own sorted controls give, though they are filled
// by ordering once and appending: proven against real sorted controls on names chosen to break a naive order.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Form.h"
#include "ui/ListControls.h"

namespace {

// Names as a folder might hold them, in the order a listing might give them: kana, kanji, half-width and
// full-width forms, case pairs, names equal but for case, digits, symbols, prefixes, "." and "..", and names the
// code page cannot hold.
const std::vector<std::wstring> kNames = {
    L"..", L"readme.txt", L"ｶﾀｶﾅ.txt", L"カタカナ.txt", L"かたかな.txt", L"漢字.txt", L"README.txt", L"Readme.txt",
    L"10.txt", L"2.txt", L"1.txt", L"０１.txt", L"１.txt", L"ＡＢＣ.txt", L"ａｂｃ.txt", L"abc.txt", L"ABC.txt",
    L"_a.txt", L"-a.txt", L"~a.txt", L"#.txt", L"!x.txt", L"(a).txt", L"[a].txt", L"'a.txt", L"a", L"a.txt",
    L"a.txt.bak", L"ab.txt", L"A.TXT", L".", L"ﾃｽﾄ.txt", L"テスト.txt", L"試験.txt", L"ー.txt", L"々.txt",
    L"café.txt", L"cafe.txt", L"CAFÉ.txt", L"한글.txt", L"😀.txt", L"résumé–2026.pdf", L"z.TXT", L"Z.txt", L"ﾞ.txt",
    L"ぱ.txt", L"は.txt", L"ば.txt", L"ハ.txt", L"ﾊﾟ.txt", L"a b.txt", L"a-b.txt", L"a_b.txt", L"ab", L"AB"};

// Every name in listing order, then those that ".txt" matches again: both ".*" and ".txt" registered.
std::vector<std::wstring> TwiceRegistered() {
    std::vector<std::wstring> sequence = kNames;
    for (const std::wstring& name : kNames) {
        const std::size_t n = name.size();
        if (n >= 4 && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str() + n - 4, 4, L".txt", 4) ==
                          CSTR_EQUAL)
            sequence.push_back(name);
    }
    return sequence;
}

std::vector<std::string> Utf8(const std::vector<std::wstring>& names) {
    std::vector<std::string> texts;
    for (const std::wstring& name : names) texts.push_back(ui::FromWide(name));
    return texts;
}

class SortedOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::App().Initialize();
        form = std::make_unique<ui::Form>(nullptr, "TTestForm", "TestForm");
    }
    void TearDown() override {
        for (HWND h : references_) DestroyWindow(h);
    }

    // A sorted list or combo box of the system, given the texts one by one.
    std::vector<std::string> SystemList(const std::vector<std::string>& texts, bool combo = false) {
        HWND h = Reference(CreateWindowExW(0, combo ? L"ComboBox" : L"ListBox", L"",
                                           WS_CHILD | (combo ? CBS_SORT | CBS_DROPDOWN | CBS_HASSTRINGS
                                                             : LBS_SORT | LBS_HASSTRINGS),
                                           0, 0, 100, 100, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
        for (const std::string& t : texts)
            SendMessageW(h, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ui::ToWide(t).c_str()));
        return ui::ListItems(h, combo, false).ToVector();
    }

    ui::ListBox* SortedList(const char* name = "ListBox1") {
        return new ui::ListBox(form.get(), form.get(), name, 0, 0, 100, 100, true);
    }

    std::unique_ptr<ui::Form> form;

private:
    HWND Reference(HWND h) {
        EXPECT_NE(h, nullptr);
        references_.push_back(h);
        return h;
    }
    std::vector<HWND> references_;
};

TEST_F(SortedOrderTest, FillInOneGoGivesTheOrderOfTheSystemsSortedListBox) {
    const std::vector<std::string> sequence = Utf8(TwiceRegistered());
    ui::ListBox* list = SortedList();
    list->Items().AddAll(sequence);
    EXPECT_EQ(list->Items().ToVector(), SystemList(sequence));
}

TEST_F(SortedOrderTest, SingleInsertsGoWhereTheSystemsSortedListBoxPutsThem) {
    const std::vector<std::string> sequence = Utf8(TwiceRegistered());
    ui::ListBox* list = SortedList();
    for (const std::string& name : sequence) list->Items().Add(name);
    EXPECT_EQ(list->Items().ToVector(), SystemList(sequence));
    // And one more into the filled list, as a rename puts its new name.
    list->Items().Add("Cafe.txt");
    std::vector<std::string> more = sequence;
    more.push_back("Cafe.txt");
    EXPECT_EQ(list->Items().ToVector(), SystemList(more));
}

TEST_F(SortedOrderTest, FolderListsKeepTheOrderOfTheSystemsListAndComboBox) {
    const std::vector<std::string> sequence = Utf8(TwiceRegistered());
    auto* list = SortedList("ListBox2");
    auto* combo = new ui::ComboBox(form.get(), form.get(), "ComboBox1", 0, 0, 100, 20, true);
    list->Items().AddAll(sequence);
    combo->Items().AddAll(sequence);
    EXPECT_EQ(list->Items().ToVector(), SystemList(sequence));
    EXPECT_EQ(combo->Items().ToVector(), SystemList(sequence, true));
    // Carried over to the other style, item by item in order, as the display modes switch.
    auto* again = SortedList("ListBox3");
    again->Items().AddAll(combo->Items().ToVector());
    EXPECT_EQ(again->Items().ToVector(), SystemList(SystemList(sequence, true)));
}

TEST_F(SortedOrderTest, ListsHoldNamesTheCodePageCannotExactly) {
    ui::ListBox* list = SortedList();
    list->Items().AddAll({"cafe.txt", "café.txt", "한글.txt", "😀.txt"});
    const int accented = list->Items().IndexOf("café.txt");
    ASSERT_GE(accented, 0);
    EXPECT_EQ(list->Items()[accented], "café.txt");
    EXPECT_NE(list->Items().IndexOf("cafe.txt"), accented);
    EXPECT_EQ(list->Items()[list->Items().IndexOf("😀.txt")], "😀.txt");
    EXPECT_EQ(list->Items().IndexOf("cafe"), -1);
}

}  // namespace
