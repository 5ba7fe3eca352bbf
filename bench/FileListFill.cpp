// File-list fill: a folder of 20,000 files listed with ".*" into a sorted list box as the file list does it,
// against the raw enumeration of the same entries; and a folder of a dozen kinds into a list with icons, until its
// rows in view are drawn, and into the plain list beside it.
#include "BenchSupport.h"

#include <memory>

#include "app/FileIcons.h"
#include "app/FolderEntries.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListControls.h"

namespace {

// The file list's way: every name collected with one enumeration, then added in one update of the sorted list.
void FillLikeTheFileList(ui::ListBox& list, const std::string& pattern, double& enumerateMs)
{
    std::vector<std::string> names;
    enumerateMs = bench::TimeMs([&] { app::CollectMatches(pattern, names); });
    list.BeginUpdate();
    list.Items().AddAll(names);
    list.EndUpdate();
}

}  // namespace

int main(int argc, char** argv)
{
    ui::App().Initialize();
    const bench::Trees trees(argc, argv);
    const std::string pattern = trees.Path("files") + "\\*.*";

    ui::Form form(&ui::App(), "TBenchForm", "BenchForm");
    auto* list = new ui::ListBox(&form, &form, "ListBox1", 185, 20, 185, 153, true);
    // The same names added to an unsorted list box: the cost of keeping the list sorted.
    auto* unsorted = new ui::ListBox(&form, &form, "Unsorted", 0, 20, 185, 153, false);

    int rawCount = 0;
    const int runs = 5;
    double enumerate = 1e300;
    // Fills one list box, each run against the raw listing: the best fill, and the best raw listing beside it.
    const auto fillInTurns = [&](ui::ListBox& into) {
        return bench::BestInTurns(
            runs,
            [&] {
                into.Clear();
                double e = 0;
                FillLikeTheFileList(into, pattern, e);
                enumerate = std::min(enumerate, e);
            },
            [&] { rawCount = bench::RawList(pattern); });
    };
    const auto [filled, raw] = fillInTurns(*list);
    const auto [unsortedFill, raw2] = fillInTurns(*unsorted);

    // The list with icons until it is usable: a folder of a dozen kinds filled, and its rows in view drawn with
    // their icons, each run with the icons of every extension asked anew.
    const std::string mixed = trees.Path("mixed") + "\\*.*";
    int mixedCount = 0;
    auto* withIcons = new ui::ListBox(&form, &form, "WithIcons", 185, 20, 185, 153, true, true);
    std::unique_ptr<app::FileIcons> icons;
    withIcons->SetIcons([&](int, const std::wstring& name, int size) {
        const int kind = icons->ForFile(name, size);
        return ui::ListIcon{icons->Images(size), kind};
    });
    form.Show();
    const auto [iconFill, raw3] = bench::BestInTurns(
        runs,
        [&] {
            withIcons->Clear();
            icons = std::make_unique<app::FileIcons>();
            double e = 0;
            FillLikeTheFileList(*withIcons, mixed, e);
            RedrawWindow(withIcons->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        },
        [&] { mixedCount = bench::RawList(mixed); });
    // The same folder into the plain list, drawn: what the names of a dozen kinds cost without icons.
    const auto [plainFill, raw4] = bench::BestInTurns(
        runs,
        [&] {
            list->Clear();
            double e = 0;
            FillLikeTheFileList(*list, mixed, e);
            RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        },
        [&] { bench::RawList(mixed); });

    std::printf("entries: raw %d, listed %d; a dozen kinds: raw %d, listed with icons %d\n", rawCount,
                list->Items().Count(), mixedCount, withIcons->Items().Count());
    bench::Report("file list fill, 20,000 files, \".*\"", filled, "raw FindFirstFileW listing", raw, 1.5);
    bench::Report("  of which the enumeration", enumerate, "raw FindFirstFileW listing", raw, 1.5);
    bench::Report("  the same into an unsorted list box", unsortedFill, "raw FindFirstFileW listing", raw2, 1.5);
    bench::Report("file list fill with icons, a dozen kinds, drawn", iconFill, "raw FindFirstFileW listing", raw3,
                  1.5);
    bench::Report("  the same without icons, drawn", plainFill, "raw FindFirstFileW listing", raw4, 1.5);
    return 0;
}
