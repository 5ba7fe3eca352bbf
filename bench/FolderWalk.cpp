// Folder walk and folder-list fill: 20,000 folders two levels deep, walked by the folder walker into a sorted list
// box as start-up fills the folder list, against the raw enumeration of the same folders. The tree is ten times the
// one start-up is timed with: a walk of 2,000 folders takes some 15 ms, too short to time against its reference
// while the machine does other work.
#include "BenchSupport.h"

#include "app/rules/DisplayNames.h"
#include "components/SearchFile.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListControls.h"

int main(int argc, char** argv)
{
    ui::App().Initialize();
    const bench::Trees trees(argc, argv);
    const std::string root = trees.Path("walk");  // 400 + 400 × 49 = 20,000 folders
    const std::string base = root + "\\";
    const int depth = 2;

    ui::Form form(&ui::App(), "TBenchForm", "BenchForm");
    auto* list = new ui::ListBox(&form, &form, "ListBox2", 0, 20, 185, 153, true);
    auto* walker = new TSearchDir(&form);
    walker->BaseDir = base;
    std::vector<std::string> entries;
    walker->OnFind = [&](ui::Component*, const std::string& name, TSearchFileData, bool& ignoreSubDir, bool&) {
        ignoreSubDir = app::IsAtWalkDepthLimit(base, name, depth);
        entries.push_back(app::FolderListEntry(base, name));
    };

    int rawCount = 0;
    int listed = 0;
    const int turns = 21;  // a turn takes some 0.5 s
    const auto walked = bench::MedianInTurns(
        turns,
        [&] {
            list->Clear();
            entries.clear();
            walker->Search();
            list->BeginUpdate();
            list->Items().AddAll(entries);
            list->EndUpdate();
            listed = list->Items().Count();
        },
        [&] { rawCount = bench::RawWalk(root, depth); });
    // The same walk without the list: where the time goes.
    walker->OnFind = [&](ui::Component*, const std::string& name, TSearchFileData, bool& ignoreSubDir, bool&) {
        ignoreSubDir = app::IsAtWalkDepthLimit(base, name, depth);
    };
    const auto walkOnly = bench::MedianInTurns(turns, [&] { walker->Search(); }, [&] { bench::RawWalk(root, depth); });

    std::printf("folders: raw %d, listed %d (medians of %d turns)\n", rawCount, listed, turns);
    bench::Report("folder walk + folder list fill (20,000)", walked, "raw FindFirstFileW walk", 1.3);
    bench::Report("  of which the walk alone", walkOnly, "raw FindFirstFileW walk", 1.3);
    return 0;
}
