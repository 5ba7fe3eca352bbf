// The sections and keys of Tessaly.ini, their defaults, the readers of the lists and the order of the writers, on
// real files through the real profile functions.
#include "settings/Schema.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SettingsTestFolder.h"

namespace {

using namespace settings;
using Strings = std::vector<std::string>;

class SchemaTest : public settings_test::SettingsTestFolder {
protected:
    std::string IniPath() const { return PathOf("Tessaly.ini"); }
    IniFile Ini() const { return IniFile(IniPath()); }
};

TEST_F(SchemaTest, SettingsPathIsTheFixedNameInTheBaseFolder)
{
    EXPECT_EQ(SettingsPath("C:\\Tools\\Launcher\\"), "C:\\Tools\\Launcher\\Tessaly.ini");
}

TEST_F(SchemaTest, MissingFileSectionsAndKeysGiveTheTableDefaults)
{
    auto expectDefaults = [](const IniFile& ini) {
        const WindowBounds current{284, 244, 378, 225};
        const WindowBounds bounds = ReadWindowBounds(ini, current);
        EXPECT_EQ(bounds.left, 284);
        EXPECT_EQ(bounds.top, 244);
        EXPECT_EQ(bounds.width, 378);
        EXPECT_EQ(bounds.height, 225);
        EXPECT_FALSE(ReadComboStyle(ini));
        EXPECT_FALSE(ReadBarHide(ini));
        EXPECT_FALSE(ReadOnTop(ini));
        EXPECT_EQ(ReadFolderListScroll(ini), 2);
        EXPECT_EQ(ReadFileListScroll(ini), 2);
        EXPECT_TRUE(ReadUpdateCheck(ini));
        EXPECT_EQ(ReadDepth(ini), 2);
        EXPECT_EQ(ReadHotKey(ini), "");
        EXPECT_FALSE(ReadTaskTray(ini));
        EXPECT_EQ(ReadFixedFolders(ini).count, 0);
        EXPECT_TRUE(ReadFixedFolders(ini).entries.empty());
        EXPECT_EQ(ReadApplications(ini).count, 0);
        EXPECT_TRUE(ReadApplications(ini).entries.empty());
        EXPECT_EQ(ReadExtensions(ini).count, 0);
        EXPECT_TRUE(ReadExtensions(ini).entries.empty());
        EXPECT_EQ(ReadFixedFolderPath(ini, "Docs", "C:\\Base\\"), "C:\\Base\\");
    };
    {
        SCOPED_TRACE("no file");
        expectDefaults(Ini());
        EXPECT_EQ(ReadApplicationPath(Ini(), "Aplication0"), "");
        EXPECT_FALSE(Ini().Exists());
    }
    {
        SCOPED_TRACE("file with other sections only");
        WriteRaw(IniPath(), "[Unrelated]\r\ndepth=9\r\ncount=3\r\n");
        expectDefaults(Ini());
    }
    {
        // Entries stand in the file, but without a count no list reader reaches them.
        SCOPED_TRACE("sections without their keys");
        WriteRaw(IniPath(),
                 "[Form]\r\n[Style]\r\nx=1\r\n[ScrollBar]\r\n[Option]\r\n[DirDeep]\r\n[FixedFolder Setting]\r\n"
                 "F_Folder1=D:\\Docs\r\n[Name2]\r\n[Aplication]\r\nAplication0=C:\\a.exe\r\n[extension]\r\nex1=.txt\r\n");
        expectDefaults(Ini());
    }
}

TEST_F(SchemaTest, ValuesFollowTheIntegerAndBooleanRules)
{
    WriteRaw(IniPath(), "[DirDeep]\r\ndepth=0x3\r\n[Option]\r\nUpdateCheck=2\r\n[Style]\r\nbar_hide=yes\r\n");
    EXPECT_EQ(ReadDepth(Ini()), 3);
    EXPECT_TRUE(ReadUpdateCheck(Ini()));
    EXPECT_FALSE(ReadBarHide(Ini()));

    WriteRaw(IniPath(), "[DirDeep]\r\ndepth=$10\r\n[Option]\r\nUpdateCheck=yes\r\n[Style]\r\nbar_hide=-1\r\n");
    EXPECT_EQ(ReadDepth(Ini()), 16);
    EXPECT_TRUE(ReadUpdateCheck(Ini()));
    EXPECT_TRUE(ReadBarHide(Ini()));

    WriteRaw(IniPath(), "[DirDeep]\r\ndepth=abc\r\n[Option]\r\nUpdateCheck=0\r\n[ScrollBar]\r\nFolderList=25\r\n"
                        "FileList=-3\r\n");
    EXPECT_EQ(ReadDepth(Ini()), 2);
    EXPECT_FALSE(ReadUpdateCheck(Ini()));
    EXPECT_EQ(ReadFolderListScroll(Ini()), 25) << "values are taken as they stand";
    EXPECT_EQ(ReadFileListScroll(Ini()), -3);
}

TEST_F(SchemaTest, StyleKeysMatchWithoutCaseButTheStyleValueWithCase)
{
    WriteRaw(IniPath(), "[style]\r\nOntop=1\r\nstyle=ComboBox\r\n[FORM]\r\npos.left=-10\r\n");
    EXPECT_TRUE(ReadOnTop(Ini()));
    EXPECT_TRUE(ReadComboStyle(Ini()));
    EXPECT_EQ(ReadWindowBounds(Ini(), WindowBounds{1, 2, 3, 4}).left, -10);

    WriteRaw(IniPath(), "[Style]\r\nOnTop=0\r\nStyle=combobox\r\n");
    EXPECT_FALSE(ReadOnTop(Ini()));
    EXPECT_FALSE(ReadComboStyle(Ini())) << "only \"ComboBox\" exactly selects the combo style";

    // What SaveWindowState writes as OnTop is what start-up reads.
    WindowState state;
    state.onTop = true;
    WriteWindowState(Ini(), state);
    EXPECT_TRUE(ReadOnTop(Ini()));
}

TEST_F(SchemaTest, WritersProduceTheFirstRunFileLineByLine)
{
    SettingsRecord record;
    record.fixedFolders = {{"D:\\Docs", "Docs"}};
    record.applications = {{"C:\\Tools\\editor.exe", "editor.exe"}};
    record.extensions = {".txt", ".pdf"};
    record.folderListScroll = 1;
    record.fileListScroll = 1;
    record.updateCheck = true;
    record.depth = 0;
    record.hotKey = "Ctrl+Alt+T";
    record.taskTray = true;
    WriteAllSettings(Ini(), record);

    WindowState state;
    state.barHide = false;
    state.bounds = {284, 244, 378, 225};
    state.comboStyle = false;
    state.onTop = false;
    WriteWindowState(Ini(), state);

    EXPECT_EQ(ReadLines(IniPath()),
              (Strings{"[FixedFolder Setting]", "count=1", "F_Folder1=D:\\Docs", "[Name]", "D:\\Docs=Docs",
                       "[Name2]", "Docs=D:\\Docs", "[Aplication]", "count=1", "Aplication0=C:\\Tools\\editor.exe",
                       "[Aplication2]", "Aplication0=editor.exe", "[extension]", "count=2", "ex1=.txt", "ex2=.pdf",
                       "[ScrollBar]", "FolderList=1", "FileList=1", "[Option]", "UpdateCheck=1", "HotKey=Ctrl+Alt+T",
                       "TaskTray=1", "[DirDeep]", "depth=0", "[Style]", "bar_hide=0", "Style=ListBox", "OnTop=0",
                       "[Form]", "Pos.Left=284", "Pos.Top=244", "Pos.Width=378", "Pos.Height=225"}));

    // Read back through the readers.
    const auto folders = ReadFixedFolders(Ini());
    ASSERT_EQ(folders.count, 1);
    ASSERT_EQ(folders.entries.size(), 1u);
    EXPECT_EQ(folders.entries[0].path, "D:\\Docs");
    EXPECT_EQ(folders.entries[0].displayName, "Docs");
    EXPECT_EQ(ReadFixedFolderPath(Ini(), "Docs", "C:\\Base\\"), "D:\\Docs");
    const auto applications = ReadApplications(Ini());
    ASSERT_EQ(applications.entries.size(), 1u);
    EXPECT_EQ(applications.entries[0].path, "C:\\Tools\\editor.exe");
    EXPECT_EQ(applications.entries[0].displayName, "editor.exe");
    EXPECT_EQ(ApplicationKey(0), "Aplication0");
    EXPECT_EQ(ReadApplicationPath(Ini(), "Aplication0"), "C:\\Tools\\editor.exe");
    EXPECT_EQ(ReadExtensions(Ini()).entries, (Strings{".txt", ".pdf"}));
    EXPECT_EQ(ReadHotKey(Ini()), "Ctrl+Alt+T");
    EXPECT_TRUE(ReadTaskTray(Ini()));
}

TEST_F(SchemaTest, WindowStateIsWrittenInItsOrderAndReplacedInPlace)
{
    WindowState state;
    state.barHide = true;
    state.bounds = {96, 78, 386, 252};
    state.comboStyle = true;
    state.onTop = true;
    WriteWindowState(Ini(), state);
    EXPECT_EQ(ReadLines(IniPath()), (Strings{"[Style]", "bar_hide=1", "Style=ComboBox", "OnTop=1", "[Form]",
                                             "Pos.Left=96", "Pos.Top=78", "Pos.Width=386", "Pos.Height=252"}));
    EXPECT_TRUE(ReadBarHide(Ini()));
    EXPECT_TRUE(ReadComboStyle(Ini()));
    const WindowBounds bounds = ReadWindowBounds(Ini(), WindowBounds{});
    EXPECT_EQ(bounds.left, 96);
    EXPECT_EQ(bounds.top, 78);
    EXPECT_EQ(bounds.width, 386);
    EXPECT_EQ(bounds.height, 252);

    state = WindowState{};
    state.bounds = {-5, 0, 300, 200};
    WriteWindowState(Ini(), state);
    EXPECT_EQ(ReadLines(IniPath()), (Strings{"[Style]", "bar_hide=0", "Style=ListBox", "OnTop=0", "[Form]",
                                             "Pos.Left=-5", "Pos.Top=0", "Pos.Width=300", "Pos.Height=200"}));
}

TEST_F(SchemaTest, ShorterListsLeaveOldKeysInTheFileUnread)
{
    SettingsRecord record;
    record.fixedFolders = {{"D:\\A", "A"}, {"D:\\B", "B"}, {"D:\\C", "C"}};
    record.applications = {{"C:\\a.exe", "a"}, {"C:\\b.exe", "b"}};
    record.extensions = {".txt", ".pdf", ".doc"};
    WriteAllSettings(Ini(), record);

    record.fixedFolders = {{"D:\\B", "B2"}};
    record.applications.clear();
    record.extensions = {".md"};
    WriteAllSettings(Ini(), record);

    const Strings lines = ReadLines(IniPath());
    for (const char* stale : {"F_Folder2=D:\\B", "F_Folder3=D:\\C", "D:\\A=A", "C=D:\\C", "Aplication0=C:\\a.exe",
                              "Aplication1=b", "ex2=.pdf", "ex3=.doc"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), stale), lines.end()) << stale << " was erased";

    const auto folders = ReadFixedFolders(Ini());
    EXPECT_EQ(folders.count, 1);
    ASSERT_EQ(folders.entries.size(), 1u);
    EXPECT_EQ(folders.entries[0].path, "D:\\B");
    EXPECT_EQ(folders.entries[0].displayName, "B2");
    EXPECT_EQ(ReadFixedFolderPath(Ini(), "B2", "C:\\Base\\"), "D:\\B");

    const auto applications = ReadApplications(Ini());
    EXPECT_EQ(applications.count, 0);
    EXPECT_TRUE(applications.entries.empty());
    EXPECT_EQ(ReadExtensions(Ini()).count, 1);
    EXPECT_EQ(ReadExtensions(Ini()).entries, (Strings{".md"}));
}

TEST_F(SchemaTest, NoExtensionWritesOnlyTheExtensionCount)
{
    WriteNoExtension(Ini());
    EXPECT_EQ(ReadLines(IniPath()), (Strings{"[extension]", "count=0"}));

    WriteRaw(IniPath(), "[DirDeep]\r\ndepth=4\r\n[extension]\r\ncount=2\r\nex1=.txt\r\nex2=.pdf\r\n");
    WriteNoExtension(Ini());
    EXPECT_EQ(ReadLines(IniPath()),
              (Strings{"[DirDeep]", "depth=4", "[extension]", "count=0", "ex1=.txt", "ex2=.pdf"}));
    EXPECT_EQ(ReadExtensions(Ini()).count, 0);
    EXPECT_TRUE(ReadExtensions(Ini()).entries.empty());
}

TEST_F(SchemaTest, ListCountsBeyondTheStoredEntries)
{
    // A sane count larger than what is stored: the missing entry reads as the empty text.
    WriteRaw(IniPath(), "[extension]\r\ncount=2\r\nex1=.txt\r\n[FixedFolder Setting]\r\ncount=1\r\n"
                        "[Aplication]\r\ncount=2\r\nAplication0=C:\\a.exe\r\n[Aplication2]\r\nAplication0=a\r\n"
                        "Aplication1=b\r\n");
    EXPECT_EQ(ReadExtensions(Ini()).entries, (Strings{".txt", ""}));
    const auto folders = ReadFixedFolders(Ini());
    ASSERT_EQ(folders.entries.size(), 1u);
    EXPECT_EQ(folders.entries[0].path, "");
    EXPECT_EQ(folders.entries[0].displayName, "");
    const auto applications = ReadApplications(Ini());
    ASSERT_EQ(applications.entries.size(), 2u);
    EXPECT_EQ(applications.entries[1].path, "");
    EXPECT_EQ(applications.entries[1].displayName, "b");

    // Absurd counts: the stored count comes back as it is, the entries are bounded by the keys the file holds.
    WriteRaw(IniPath(), "[extension]\r\ncount=2147483647\r\nex1=.txt\r\nex2=.pdf\r\n"
                        "[FixedFolder Setting]\r\ncount=2147483647\r\nF_Folder1=D:\\Docs\r\n[Name]\r\nD:\\Docs=Docs\r\n"
                        "[Aplication]\r\ncount=0x7FFFFFFF\r\nAplication0=C:\\a.exe\r\n");
    const auto extensions = ReadExtensions(Ini());
    EXPECT_EQ(extensions.count, 2147483647);
    EXPECT_EQ(extensions.entries, (Strings{".txt", ".pdf", ""}));
    const auto manyFolders = ReadFixedFolders(Ini());
    EXPECT_EQ(manyFolders.count, 2147483647);
    ASSERT_EQ(manyFolders.entries.size(), 2u);
    EXPECT_EQ(manyFolders.entries[0].displayName, "Docs");
    const auto manyApplications = ReadApplications(Ini());
    EXPECT_EQ(manyApplications.count, 2147483647);
    ASSERT_EQ(manyApplications.entries.size(), 2u);
    EXPECT_EQ(manyApplications.entries[0].path, "C:\\a.exe");

    // Negative counts read nothing, but stay visible to the caller (the file list says nothing for them).
    WriteRaw(IniPath(), "[extension]\r\ncount=-5\r\nex1=.txt\r\n[FixedFolder Setting]\r\ncount=-5\r\n"
                        "F_Folder1=D:\\Docs\r\n[Aplication]\r\ncount=-2147483648\r\nAplication0=C:\\a.exe\r\n");
    EXPECT_EQ(ReadExtensions(Ini()).count, -5);
    EXPECT_TRUE(ReadExtensions(Ini()).entries.empty());
    EXPECT_EQ(ReadFixedFolders(Ini()).count, -5);
    EXPECT_TRUE(ReadFixedFolders(Ini()).entries.empty());
    EXPECT_EQ(ReadApplications(Ini()).count, -2147483647 - 1);
    EXPECT_TRUE(ReadApplications(Ini()).entries.empty());
}

TEST_F(SchemaTest, AFailedWriteEndsTheWriterWithThePath)
{
    ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr));
    try {
        WriteAllSettings(Ini(), SettingsRecord{});
        ADD_FAILURE() << "writing the settings into a folder did not fail";
    } catch (const WriteError& error) {
        EXPECT_STREQ(error.what(), (IniPath() + " に書き込めません").c_str());
    }
    EXPECT_THROW(WriteWindowState(Ini(), WindowState{}), WriteError);
    EXPECT_THROW(WriteNoExtension(Ini()), WriteError);
}

}  // namespace
