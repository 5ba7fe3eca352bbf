// Find as you type: each key of a query typed into the filter box over a file list of 20,000 names, half of them
// Japanese, from the key to the narrowed list drawn, against a bare list box of the system filled with the same
// names and drawn. The names are folded once per fill, while the program is idle after it.
#include "BenchSupport.h"

#include <cwchar>

#include "app/NameFolding.h"
#include "app/QuickFilter.h"
#include "text/Utf8.h"
#include "ui/Application.h"
#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/ListControls.h"

namespace {

// The query, typed key by key: the first key leaves a quarter of the names, the next two change nothing, the last
// two narrow to a few hundred.
const wchar_t kQuery[] = L"めも 12";

std::vector<std::string> Names()
{
    const char* const japanese[] = {"会議メモ", "見積書", "ﾒﾓ", "がいど"};
    std::vector<std::string> names;
    char name[64];
    for (int i = 0; i < 20000; ++i) {
        if (i % 2 == 0) std::snprintf(name, sizeof name, "report_%05d Draft.txt", i);
        else std::snprintf(name, sizeof name, "%s %05d.txt", japanese[(i / 2) % 4], i);
        names.push_back(name);
    }
    return names;
}

// A list box of the system's own, not one of the program's: every name added as it is, without redrawing per item.
void FillBare(HWND list, const std::vector<std::wstring>& names)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size() * 32));
    for (const std::wstring& name : names) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
}

}  // namespace

int main()
{
    ui::App().Initialize();
    ui::Form form(&ui::App(), "TBenchForm", "BenchForm");
    form.SetBounds(0, 0, 800, 400);
    auto* list = new ui::ListBox(&form, &form, "ListBox1", 0, 0, 380, 300, true);
    auto* box = new ui::Edit(&form, &form, "Edit1", 0, 300, 380, 20);
    const HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, L"ListBox", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 400, 0,
                                      380, 300, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(form.FontHandle()), FALSE);
    form.Show();

    // The file list as a fill leaves it: ordered once, every name kept for the filter, and folded once the program
    // is idle again, before the user's first key.
    const std::vector<std::string> names = Names();
    app::NameFilter filter(app::FoldName);
    const auto fill = [&] {
        filter.Assign(names, list->Items().OrderOf(names));
        app::ShowNames(*list, filter, "");
        app::FoldNamesWhenIdle(filter, form);
        ui::App().ProcessMessages();
    };
    fill();
    box->OnChange = [&](ui::Component*) { app::ShowNames(*list, filter, box->Text()); };

    // What each key leaves, as the bare list box gets it.
    const std::size_t keys = std::wcslen(kQuery);
    std::vector<std::vector<std::wstring>> results;
    for (std::size_t k = 1; k <= keys; ++k) {
        std::string text;
        text::AppendUtf8(std::wstring_view(kQuery, k), text);
        filter.Narrow(text);
        std::vector<std::wstring> shown;
        for (std::size_t place : filter.Matches()) shown.push_back(ui::ToWide(std::string(filter.Name(place))));
        results.push_back(shown);
    }
    std::vector<std::wstring> all;
    for (std::size_t place = 0; place < filter.Count(); ++place)
        all.push_back(ui::ToWide(std::string(filter.Name(place))));

    const int turns = 7;
    std::vector<std::vector<double>> ms(keys), referenceMs(keys), ratios(keys);
    for (int turn = 0; turn < turns; ++turn) {
        // A fresh fill: the first key folds every name again.
        box->SetText("");
        fill();
        FillBare(bare, all);
        for (std::size_t k = 0; k < keys; ++k) {
            const auto work = [&] {
                PostMessageW(box->Handle(), WM_CHAR, kQuery[k], 1);
                ui::App().ProcessMessages();
                UpdateWindow(list->Handle());
            };
            const auto reference = [&] { FillBare(bare, results[k]); };
            double w = 0, r = 0;
            if (turn % 2 == 0) {
                r = bench::TimeMs(reference);
                w = bench::TimeMs(work);
            } else {
                w = bench::TimeMs(work);
                r = bench::TimeMs(reference);
            }
            ms[k].push_back(w);
            referenceMs[k].push_back(r);
            ratios[k].push_back(r > 0 ? w / r : 0);
        }
        if (list->Items().Count() != static_cast<int>(results.back().size())) {
            std::printf("the filter showed %d names, the bare list %d\n", list->Items().Count(),
                        static_cast<int>(results.back().size()));
            return 1;
        }
    }

    std::printf("names: %d, query of %d keys\n", static_cast<int>(names.size()), static_cast<int>(keys));
    filter.Assign(names, list->Items().OrderOf(names));
    std::printf("folding the names once after a fill, while idle: %.1f ms\n",
                bench::TimeMs([&] { filter.FoldNames(); }));
    bench::InTurns slowest;
    for (std::size_t k = 0; k < keys; ++k) {
        const bench::InTurns t{bench::Median(ms[k]), bench::Median(referenceMs[k]), bench::Median(ratios[k])};
        char what[64];
        std::snprintf(what, sizeof what, "  key %d, %d names shown", static_cast<int>(k + 1),
                      static_cast<int>(results[k].size()));
        bench::Report(what, t, "bare list box, the same names", 1.5);
        if (t.ratio > slowest.ratio) slowest = t;
    }
    bench::Report("quick filter, 20,000 names, slowest key", slowest, "bare list box, the same names", 1.5);
    return 0;
}
