// The settings file's access layer on real files through the real profile functions.
#include "settings/IniFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsTestFolder.h"
#include "ui/CodePage.h"

namespace {

using settings::IniFile;
using settings::WriteError;
using Strings = std::vector<std::string>;

class IniFileTest : public settings_test::SettingsTestFolder {};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheCallersDefault)
{
    IniFile missing(PathOf("none.ini"));
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(missing.ReadString("Style", "Style", "ListBox"), "ListBox");
    EXPECT_EQ(missing.ReadInteger("DirDeep", "depth", 2), 2);
    EXPECT_TRUE(missing.ReadBool("Option", "UpdateCheck", true));
    EXPECT_FALSE(missing.ReadBool("Style", "bar_hide", false));
    EXPECT_EQ(missing.CountKeys("extension"), 0u);
    EXPECT_FALSE(missing.Exists()) << "reading must not create the file";

    WriteRaw(PathOf("some.ini"), "[Other]\r\ndepth=7\r\n[DirDeep]\r\nx=1\r\n");
    IniFile some(PathOf("some.ini"));
    EXPECT_TRUE(some.Exists());
    EXPECT_EQ(some.ReadInteger("Missing", "depth", 2), 2);
    EXPECT_EQ(some.ReadInteger("DirDeep", "depth", 2), 2);
    EXPECT_EQ(some.ReadString("DirDeep", "depth", ""), "");
    EXPECT_EQ(some.CountKeys("Missing"), 0u);

    CreateDirectoryA(PathOf("folder.ini").c_str(), nullptr);
    EXPECT_FALSE(IniFile(PathOf("folder.ini")).Exists()) << "a folder is not the settings file";
}

TEST_F(IniFileTest, ValuesAreReadByTheirIntegerAndBooleanRules)
{
    WriteRaw(PathOf("v.ini"),
             "[Values]\r\nhex=0x3\r\nHEX=0X1f\r\ndollar=$10\r\nneg=-12\r\nword=abc\r\nbare=0x\r\nbig=2147483648\r\n"
             "two=2\r\nyes=yes\r\nzero=0\r\nspaced =  42  \r\n");
    IniFile ini(PathOf("v.ini"));
    EXPECT_EQ(ini.ReadInteger("Values", "hex", 2), 3);
    EXPECT_EQ(ini.ReadInteger("Values", "HEX", 2), 3) << "key names match without regard to case";
    EXPECT_EQ(ini.ReadInteger("Values", "dollar", 2), 16);
    EXPECT_EQ(ini.ReadInteger("Values", "neg", 2), -12);
    EXPECT_EQ(ini.ReadInteger("Values", "word", 2), 2);
    EXPECT_EQ(ini.ReadInteger("Values", "bare", 2), 2);
    EXPECT_EQ(ini.ReadInteger("Values", "big", 2), 2);
    EXPECT_EQ(ini.ReadInteger("Values", "spaced", 2), 42);

    EXPECT_TRUE(ini.ReadBool("Values", "two", false));
    EXPECT_TRUE(ini.ReadBool("Values", "yes", true));
    EXPECT_FALSE(ini.ReadBool("Values", "yes", false));
    EXPECT_FALSE(ini.ReadBool("Values", "zero", true));
    EXPECT_EQ(ini.CountKeys("values"), 11u);
}

TEST_F(IniFileTest, KeysOfASectionAreCountedHoweverManyThereAre)
{
    // 3000 names of 12 to 15 bytes: far more than one read of the name list holds at first.
    std::string bytes = "[extension]\r\ncount=3000\r\n";
    for (int i = 1; i < 3000; ++i) bytes += "ex_entry_" + std::to_string(i) + "=.x\r\n";
    bytes += "[Other]\r\na=1\r\n";
    WriteRaw(PathOf("many.ini"), bytes);
    IniFile ini(PathOf("many.ini"));
    EXPECT_EQ(ini.CountKeys("extension"), 3000u);
    EXPECT_EQ(ini.CountKeys("other"), 1u);
}

TEST_F(IniFileTest, LongValuesComeBackCutToWholeCharacters)
{
    IniFile ini(PathOf("long.ini"));
    const std::string latin(2100, 'a');
    ini.WriteString("Long", "latin", latin);
    EXPECT_EQ(ini.ReadString("Long", "latin", ""), latin.substr(0, 2047));

    // 2100 double-byte characters (4200 bytes in the file): what comes back is whole characters only, 2046 bytes
    // of the file's code page, never a stray byte.
    std::string kana;
    for (int i = 0; i < 2100; ++i) kana += "あ";
    ini.WriteString("Long", "kana", kana);
    const std::string read = ini.ReadString("Long", "kana", "");
    EXPECT_EQ(Cp932(read).size(), 2046u);
    EXPECT_TRUE(read == kana.substr(0, read.size())) << "the value is not the start of what was written";

    // 1 + 1023 double-byte characters fill the 2047 bytes exactly.
    const std::string mixed = "a" + kana;
    ini.WriteString("Long", "mixed", mixed);
    EXPECT_EQ(ini.ReadString("Long", "mixed", ""), mixed.substr(0, 1 + 1023 * 3));
}

TEST_F(IniFileTest, WritesGoToTheFileAtOnceAsCp932WithCrLf)
{
    const std::string path = PathOf("w.ini");
    IniFile ini(path);
    ini.WriteString("Name", "D:\\表示", "ソフト");
    EXPECT_EQ(ReadLines(path), (Strings{"[Name]", "D:\\表示=ソフト"}));
    EXPECT_EQ(ReadRaw(path), "[Name]\r\nD:\\\x95\x5C\x8E\xA6=\x83\x5C\x83\x74\x83\x67\r\n")
        << "key and value are stored in code page 932";

    ini.WriteInteger("DirDeep", "depth", -5);
    ini.WriteBool("Option", "UpdateCheck", true);
    ini.WriteBool("Style", "bar_hide", false);
    EXPECT_EQ(ReadLines(path), (Strings{"[Name]", "D:\\表示=ソフト", "[DirDeep]", "depth=-5", "[Option]",
                                        "UpdateCheck=1", "[Style]", "bar_hide=0"}));

    // A second writer on the same path sees and keeps what the first one wrote: nothing is cached per object.
    IniFile other(path);
    EXPECT_EQ(other.ReadInteger("dirdeep", "DEPTH", 2), -5);
    other.WriteInteger("DIRDEEP", "Depth", 3);
    EXPECT_EQ(ini.ReadInteger("DirDeep", "depth", 2), 3);
    EXPECT_EQ(ReadLines(path), (Strings{"[Name]", "D:\\表示=ソフト", "[DirDeep]", "depth=3", "[Option]",
                                        "UpdateCheck=1", "[Style]", "bar_hide=0"}))
        << "an existing key is replaced in place, whatever the case of the names used";
}

// A key or value the code page cannot hold is stored in a form of printable ASCII that reads back exactly; values the
// code page holds keep their bytes.
TEST_F(IniFileTest, TextsTheCodePageCannotHoldAreStoredInAFormThatReadsBackExactly)
{
    const std::string path = PathOf("exact.ini");
    IniFile ini(path);
    ini.WriteString("Name", "D:\\자료 café", "자료");
    ini.WriteString("Name2", "😀", "D:\\表示");
    ini.WriteString("Name2", "|utf-8|%41", "looks stored");
    EXPECT_EQ(ReadRaw(path), "[Name]\r\n|utf-8|D:\\%EC%9E%90%EB%A3%8C%20caf%C3%A9=|utf-8|%EC%9E%90%EB%A3%8C\r\n"
                             "[Name2]\r\n|utf-8|%F0%9F%98%80=D:\\\x95\x5C\x8E\xA6\r\n"
                             "|utf-8||utf-8|%2541=looks stored\r\n");
    EXPECT_EQ(ini.ReadString("Name", "D:\\자료 café", ""), "자료");
    EXPECT_EQ(ini.ReadString("Name2", "😀", ""), "D:\\表示");
    EXPECT_EQ(ini.ReadString("Name2", "|utf-8|%41", ""), "looks stored");
    EXPECT_EQ(ini.ReadString("Name", "D:\\자료 cafe", "none"), "none") << "no stand-in finds the key";
    EXPECT_EQ(ini.CountKeys("Name2"), 2u);
    // A default the file could not have held comes back as it was given.
    EXPECT_EQ(ini.ReadString("Name2", "missing", "C:\\한글\\"), "C:\\한글\\");
}

// An earlier version reads the file through the ANSI profile and file functions: the stored form reaches it as the
// same ASCII text, a path that names no file or folder, so it lists nothing and starts nothing there.
TEST_F(IniFileTest, AnEarlierVersionReadsTheStoredFormAsAPathThatNamesNothing)
{
    const std::string path = PathOf("earlier.ini");
    ASSERT_TRUE(CreateDirectoryW(ui::ToWide(PathOf("café")).c_str(), nullptr));
    IniFile(path).WriteString("FixedFolder Setting", "F_Folder1", PathOf("café"));
    char value[2048] = {};
    GetPrivateProfileStringA("FixedFolder Setting", "F_Folder1", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), "|utf-8|" + PathOf("caf%C3%A9"));
    EXPECT_EQ(GetFileAttributesA(value), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((std::string(value) + "\\*.*").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA(value, &found), INVALID_HANDLE_VALUE);
}

// The settings file of a folder whose name the code page cannot hold is read and written there.
TEST_F(IniFileTest, AFileInAFolderTheCodePageCannotNameIsReadAndWrittenThere)
{
    const std::string folder = PathOf("한글");
    ASSERT_TRUE(CreateDirectoryW(ui::ToWide(folder).c_str(), nullptr));
    const std::string path = folder + "\\Tessaly.ini";
    WriteRaw(path, "[extension]\r\ncount=1\r\n");
    IniFile ini(path);
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ini.ReadInteger("extension", "count", 0), 1);
    ini.WriteString("extension", "ex1", ".txt");
    EXPECT_EQ(ReadRaw(path), "[extension]\r\ncount=1\r\nex1=.txt\r\n");
}

TEST_F(IniFileTest, AFailedWriteReportsThePathAndKeepsEarlierWrites)
{
    // The path names a folder: the file cannot be created.
    const std::string folderPath = PathOf("Tessaly.ini");
    ASSERT_TRUE(CreateDirectoryA(folderPath.c_str(), nullptr));
    try {
        IniFile(folderPath).WriteInteger("extension", "count", 0);
        ADD_FAILURE() << "writing to a folder did not fail";
    } catch (const WriteError& error) {
        EXPECT_STREQ(error.what(), (folderPath + " に書き込めません").c_str());
        EXPECT_EQ(error.Path(), folderPath);
        const std::runtime_error& base = error;
        EXPECT_STREQ(base.what(), (folderPath + " に書き込めません").c_str());
    }

    // The folder of the file does not exist.
    const std::string orphan = PathOf("gone\\Tessaly.ini");
    EXPECT_THROW(IniFile(orphan).WriteBool("Style", "OnTop", true), WriteError);

    // The file is held open by someone who forbids writing: the writes before stay, the failing one is not there.
    const std::string path = PathOf("held.ini");
    IniFile ini(path);
    ini.WriteString("Form", "Pos.Left", "284");
    ini.WriteString("Form", "Pos.Top", "244");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    try {
        ini.WriteString("Form", "Pos.Width", "378");
        ADD_FAILURE() << "writing a file held without write sharing did not fail";
    } catch (const WriteError& error) {
        EXPECT_STREQ(error.what(), (path + " に書き込めません").c_str());
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadLines(path), (Strings{"[Form]", "Pos.Left=284", "Pos.Top=244"}));
    EXPECT_EQ(ini.ReadString("Form", "Pos.Width", "none"), "none");
}

}  // namespace
