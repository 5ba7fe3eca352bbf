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

// The names the code page holds exactly, in the code page.
std::vector<std::string> CodePageNames(const std::vector<std::wstring>& names) {
    std::vector<std::string> held;
    for (const std::wstring& name : names) {
        const std::string narrow = ui::ToCodePageWithoutBestFit(name);
        if (ui::FromCodePage(narrow) == name) held.push_back(narrow);
    }
    return held;
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

    // A sorted list box of the system, given the texts one by one through the wide or the ANSI entry.
    std::vector<std::wstring> SystemListBox(const std::vector<std::wstring>& texts) {
        HWND h = Reference(CreateWindowExW(0, L"ListBox", L"", WS_CHILD | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100,
                                           form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
        for (const std::wstring& t : texts) SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        return Texts(ui::ListItems(h, false, false));
    }
    std::vector<std::string> SystemAnsiList(const std::vector<std::string>& texts, bool combo) {
        HWND h = Reference(CreateWindowExA(0, combo ? "ComboBox" : "ListBox", "",
                                           WS_CHILD | (combo ? CBS_SORT | CBS_DROPDOWN | CBS_HASSTRINGS : LBS_SORT),
                                           0, 0, 100, 100, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
        for (const std::string& t : texts)
            SendMessageA(h, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        return ui::ListItems(h, combo, false).ToVector();
    }

    ui::ListBox* ExactList() {
        auto* list = new ui::ListBox(form.get(), form.get(), "ListBox1", 0, 0, 100, 100, true);
        list->UseExactText();
        return list;
    }

    static std::vector<std::wstring> Texts(const ui::ListItems& items) {
        std::vector<std::wstring> texts;
        for (int i = 0; i < items.Count(); ++i) texts.push_back(items.Exact(i));
        return texts;
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
    const std::vector<std::wstring> sequence = TwiceRegistered();
    ui::ListBox* list = ExactList();
    list->Items().AddAllExact(sequence);
    EXPECT_EQ(Texts(list->Items()), SystemListBox(sequence));
}

TEST_F(SortedOrderTest, SingleInsertsGoWhereTheSystemsSortedListBoxPutsThem) {
    const std::vector<std::wstring> sequence = TwiceRegistered();
    ui::ListBox* list = ExactList();
    for (const std::wstring& name : sequence) list->Items().AddExact(name);
    EXPECT_EQ(Texts(list->Items()), SystemListBox(sequence));
    // And one more into the filled list, as a rename puts its new name.
    list->Items().AddExact(L"Cafe.txt");
    std::vector<std::wstring> more = sequence;
    more.push_back(L"Cafe.txt");
    EXPECT_EQ(Texts(list->Items()), SystemListBox(more));
}

TEST_F(SortedOrderTest, FolderListsInTheCodePageKeepTheOrderOfTheSystemsListAndComboBox) {
    const std::vector<std::string> sequence = CodePageNames(TwiceRegistered());
    auto* list = new ui::ListBox(form.get(), form.get(), "ListBox2", 0, 0, 100, 100, true);
    auto* combo = new ui::ComboBox(form.get(), form.get(), "ComboBox1", 0, 0, 100, 20, true);
    list->Items().AddAll(sequence);
    combo->Items().AddAll(sequence);
    EXPECT_EQ(list->Items().ToVector(), SystemAnsiList(sequence, false));
    EXPECT_EQ(combo->Items().ToVector(), SystemAnsiList(sequence, true));
    // Carried over to the other style, item by item in order, as the display modes switch.
    auto* again = new ui::ListBox(form.get(), form.get(), "ListBox3", 0, 0, 100, 100, true);
    again->Items().AddAll(combo->Items().ToVector());
    EXPECT_EQ(again->Items().ToVector(), SystemAnsiList(SystemAnsiList(sequence, true), false));
}

TEST_F(SortedOrderTest, ExactListHoldsNamesTheCodePageCannotAndReadsThemInTheCodePage) {
    // (Literals outside the checks: a check spells its expression in the code page.)
    const std::wstring accented = L"café.txt";
    ui::ListBox* list = ExactList();
    list->Items().AddAllExact({L"cafe.txt", accented, L"한글.txt"});
    const int exact = list->Items().IndexOfExact(accented);
    ASSERT_GE(exact, 0);
    EXPECT_EQ(list->Items().Exact(exact), accented);
    EXPECT_NE(list->Items().IndexOfExact(L"cafe.txt"), exact);
    // The code-page reading is the system's conversion of the exact name.
    EXPECT_EQ(list->Items()[exact], ui::ToCodePage(accented));
}

}  // namespace
