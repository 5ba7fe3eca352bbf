// The files whose icon is read from the file itself, by extension in any letter case; every other name keeps its
// kind's icon.
#include "app/rules/OwnIcon.h"

#include <gtest/gtest.h>

TEST(OwnIcon, ProgramsShortcutsAndIconsHaveTheirOwn)
{
    for (const char* name : {"a.exe", "B.LNK", "c.Ico", "d.url", "e.scr", "f.cpl", "g.msc", "長い名前.exe", ".lnk"}) {
        EXPECT_TRUE(app::HasOwnIcon(name)) << name;
    }
}

TEST(OwnIcon, OtherNamesHaveTheirKinds)
{
    for (const char* name : {"a.txt", "exe", "a.exe.txt", "a.exes", "a.ex", "a.", "", "folder.lnk\\x.doc",
                             "a.e\xC3\xA9"}) {
        EXPECT_FALSE(app::HasOwnIcon(name)) << name;
    }
}
