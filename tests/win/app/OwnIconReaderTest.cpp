// The background reader of the icons files carry themselves, in this process with its message loop: the rows being
// drawn are read before the rest (and a stream of icons never keeps this thread's loop to itself), a dropped fill
// leaves nothing, a list drawn at another size reads anew, and files that cannot be read get no icon. And the icons
// of kinds as the associations name them.
#include "app/OwnIconReader.h"
#include "app/ShellIcons.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../../support/RegisteredKind.h"
#include "../settings/SettingsTestFolder.h"
#include "ui/Handles.h"

namespace {

class OwnIconReaderTest : public settings_test::SettingsTestFolder {
protected:
    // count Internet shortcuts "0000.url"... that each name the folder icon of the system.
    app::OwnIconReader::Files MakeShortcuts(int count)
    {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        const std::string text = "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\nIconFile=" + ui::FromWide(system) +
                                 "\\shell32.dll\r\nIconIndex=3\r\n";
        app::OwnIconReader::Files files;
        for (int i = 0; i < count; ++i) {
            char name[16];
            wsprintfA(name, "%04d.url", i);
            WriteRaw(PathOf(name), text);
            files.emplace_back(ui::ToWide(name), app::OwnIcon::InternetShortcut);
        }
        return files;
    }

    std::wstring Folder() const { return ui::ToWide(PathOf("")); }

    // Runs the thread's messages until done() or the time has passed.
    static bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000)
    {
        const DWORD deadline = GetTickCount() + ms;
        while (!done()) {
            if (static_cast<int>(deadline - GetTickCount()) <= 0) return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(1);
        }
        return true;
    }

    static int Read(const app::OwnIconReader& reader)
    {
        return reader.Images() ? ImageList_GetImageCount(reader.Images()) : 0;
    }
};

TEST_F(OwnIconReaderTest, TheRowsBeingDrawnAreReadBeforeTheRest)
{
    // Enough rows that the ask comes long before the reading in order could reach the last one.
    const int count = 400;
    app::OwnIconReader::Files files = MakeShortcuts(count);
    const std::wstring last = files.back().first;
    int arrivals = 0;
    app::OwnIconReader reader([&] { ++arrivals; });
    reader.Start(Folder(), std::move(files), 16);
    // The last row is drawn first, as after a jump to the end of the list.
    EXPECT_EQ(reader.Find(last, 16), -1);
    ASSERT_TRUE(PumpUntil([&] { return reader.Find(last, 16) >= 0; }));
    EXPECT_LT(Read(reader), count / 2) << "the last row came among the first";
    ASSERT_TRUE(PumpUntil([&] { return Read(reader) == count; }));
    EXPECT_GT(arrivals, 0);
    int width = 0, height = 0;
    ImageList_GetIconSize(reader.Images(), &width, &height);
    EXPECT_EQ(width, 16);
}

TEST_F(OwnIconReaderTest, ADroppedFillLeavesNothingAndAnotherSizeReadsAnew)
{
    app::OwnIconReader::Files files = MakeShortcuts(50);
    const std::wstring first = files.front().first;
    app::OwnIconReader reader(nullptr);
    reader.Start(Folder(), files, 16);
    reader.Drop();
    PumpUntil([] { return false; }, 500);  // time enough for what was started
    EXPECT_EQ(Read(reader), 0);
    EXPECT_EQ(reader.Find(first, 16), -1);

    reader.Start(Folder(), files, 16);
    ASSERT_TRUE(PumpUntil([&] { return Read(reader) == 50; }));
    // The list is drawn at 20 pixels now (its window went to a screen of another scale): the icons come again.
    EXPECT_EQ(reader.Find(first, 20), -1);
    ASSERT_TRUE(PumpUntil([&] { return reader.Find(first, 20) >= 0; }));
    int width = 0, height = 0;
    ImageList_GetIconSize(reader.Images(), &width, &height);
    EXPECT_EQ(width, 20);
}

TEST_F(OwnIconReaderTest, FilesThatCannotBeReadGetNone)
{
    WriteRaw(PathOf("empty.exe"), "");
    WriteRaw(PathOf("broken.lnk"), "not a shortcut");
    WriteRaw(PathOf("plain.url"), "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n");
    app::OwnIconReader reader(nullptr);
    reader.Start(Folder(),
                 {{L"empty.exe", app::OwnIcon::InFile},
                  {L"broken.lnk", app::OwnIcon::Shortcut},
                  {L"plain.url", app::OwnIcon::InternetShortcut},
                  {L"gone.exe", app::OwnIcon::InFile}},
                 16);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(Read(reader), 0);
    for (const wchar_t* name : {L"empty.exe", L"broken.lnk", L"plain.url", L"gone.exe"}) {
        EXPECT_EQ(reader.Find(name, 16), -1);
    }
}

}  // namespace

namespace {

bool Reads(const std::wstring& extension)
{
    const ui::IconHandle icon(app::ReadAssociatedIcon(extension, 16));
    return static_cast<bool>(icon);
}

// The icons of kinds, read from the associations in this process's registry.
TEST(KindIcons, TheIconTheClassNamesOrElseTheShellsAndNoneForAKindNobodyKnows)
{
    EXPECT_FALSE(Reads(L".zzr")) << "no association: the list shows the generic file";
    const test_support::RegisteredKind kind(L".zzr");
    ASSERT_TRUE(kind.Register(L"shell32.dll,-4"));
    EXPECT_TRUE(Reads(L".zzr"));
    ASSERT_TRUE(kind.Register(L"\"%1\""));
    EXPECT_FALSE(Reads(L".zzr")) << "each file its own: the list shows its kind's fallback";
    // An icon that lies in no file the program can read is asked of the shell, which always has one.
    ASSERT_TRUE(kind.Register(L"@{Tessaly.Test_1.0?ms-resource://Tessaly.Test/Files/kind.png}"));
    EXPECT_TRUE(Reads(L".zzr"));
}

}  // namespace
