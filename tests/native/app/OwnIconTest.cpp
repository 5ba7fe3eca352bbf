// The files whose icon is read from the file itself, each kind in its way, by extension in any letter case; every
// other name keeps its kind's icon. And where the associations' "DefaultIcon" values say a kind's icon is.
#include "app/rules/OwnIcon.h"

#include <gtest/gtest.h>

TEST(OwnIcon, ProgramsShortcutsAndIconsHaveTheirOwn)
{
    for (const char* name : {"a.exe", "c.Ico", "e.scr", "f.cpl", "長い名前.exe"}) {
        EXPECT_EQ(app::OwnIconOf(name), app::OwnIcon::InFile) << name;
    }
    EXPECT_EQ(app::OwnIconOf("B.LNK"), app::OwnIcon::Shortcut);
    EXPECT_EQ(app::OwnIconOf(".lnk"), app::OwnIcon::Shortcut);
    EXPECT_EQ(app::OwnIconOf("d.url"), app::OwnIcon::InternetShortcut);
    EXPECT_EQ(app::OwnIconOf("g.msc"), app::OwnIcon::FromShell);
}

TEST(OwnIcon, OtherNamesHaveTheirKinds)
{
    for (const char* name : {"a.txt", "exe", "a.exe.txt", "a.exes", "a.ex", "a.", "", "folder.lnk\\x.doc",
                             "a.e\xC3\xA9"}) {
        EXPECT_FALSE(app::HasOwnIcon(name)) << name;
    }
}

TEST(OwnIcon, DefaultIconValuesNameAFileAndAnIndex)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* file;
        int index;
    };
    for (const Case& c : {
             Case{L"%SystemRoot%\\System32\\imageres.dll,-102", L"%SystemRoot%\\System32\\imageres.dll", -102},
             Case{L"C:\\Tools\\app.exe,1", L"C:\\Tools\\app.exe", 1},
             Case{L"\"C:\\Program Files\\App\\app.exe\",2", L"C:\\Program Files\\App\\app.exe", 2},
             Case{L" \"C:\\Program Files\\App\\app.exe\" , -7 ", L"C:\\Program Files\\App\\app.exe", -7},
             Case{L"C:\\Icons\\kind.ico", L"C:\\Icons\\kind.ico", 0},
             // A comma of the name, inside the quotes or not followed by a number, is no index.
             Case{L"\"C:\\a,1\\kind.ico\"", L"C:\\a,1\\kind.ico", 0},
             Case{L"C:\\a,b\\kind.dll", L"C:\\a,b\\kind.dll", 0},
             Case{L"url.dll,+0", L"url.dll", 0},
             Case{L"", L"", 0},
         }) {
        const app::IconLocation location = app::ParseIconLocation(c.value);
        EXPECT_EQ(location.file, c.file) << c.value;
        EXPECT_EQ(location.index, c.index) << c.value;
        EXPECT_FALSE(location.perFile) << c.value;
    }
}

TEST(OwnIcon, PercentOneSaysEachFileCarriesItsOwn)
{
    EXPECT_TRUE(app::ParseIconLocation(L"%1").perFile);
    EXPECT_TRUE(app::ParseIconLocation(L"\"%1\"").perFile);
    EXPECT_TRUE(app::ParseIconLocation(L"\"%1\",0").perFile);
}
