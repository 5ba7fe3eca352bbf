// The settings file's access layer on real files through the real profile functions.
#include "settings/IniFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/FolderLink.h"
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

// Paths are keys of Name and display names keys of Name2: a key or value the profile format would read as another
// text is stored so that it reads back exactly, and nothing else in the file moves.
TEST_F(IniFileTest, KeysAndValuesTheFormatCannotHoldReadBackExactly)
{
    const std::string path = PathOf("odd.ini");
    IniFile ini(path);
    ini.WriteString("Name2", "2024=old", "D:\\a=b");
    ini.WriteString("Name", "D:\\a=b", "2024=old");
    EXPECT_EQ(ReadRaw(path), "[Name2]\r\n|utf-8|2024%3Dold=D:\\a=b\r\n[Name]\r\n|utf-8|D:\\a%3Db=2024=old\r\n");

    const Strings odd = {" lead", "trail ", "\tx\t", "\"q\"", "'q'", "[x]", ";x", "a\r\nb", "a\nb", "=x", "x=",
                         "|utf-8|%41", "表示 ソ"};
    for (std::size_t i = 0; i < odd.size(); ++i) {
        ini.WriteString("Name2", odd[i], "value " + std::to_string(i));
        ini.WriteString("Values", "v" + std::to_string(i), odd[i]);
    }
    for (std::size_t i = 0; i < odd.size(); ++i) {
        SCOPED_TRACE(odd[i]);
        EXPECT_EQ(ini.ReadString("Name2", odd[i], "none"), "value " + std::to_string(i));
        EXPECT_EQ(ini.ReadString("Values", "v" + std::to_string(i), "none"), odd[i]);
    }
    EXPECT_EQ(ini.ReadString("Name2", "2024=old", ""), "D:\\a=b");
    EXPECT_EQ(ini.ReadString("Name2", "2024", "none"), "none") << "no other key appeared";
    EXPECT_EQ(ini.ReadString("Name2", "lead", "none"), "none");
    EXPECT_EQ(ini.CountKeys("Name2"), odd.size() + 1);
    const std::string raw = ReadRaw(path);
    EXPECT_NE(raw.find("\r\nv9==x\r\n"), std::string::npos) << "a value may begin with \"=\", \"[\" or \";\"";
    EXPECT_NE(raw.find("\r\nv5=[x]\r\n"), std::string::npos);
    EXPECT_NE(raw.find("\r\n" + Cp932("表示 ソ") + "=value 12\r\n"), std::string::npos);
}

// An earlier version kept such keys as they stood; those it could find again are found again.
TEST_F(IniFileTest, KeysAnEarlierVersionWroteAsTheyStoodAreStillFound)
{
    const std::string path = PathOf("earlier.ini");
    WriteRaw(path, "[Name2]\r\n\"quoted\"=D:\\q\r\nspaced=D:\\s\r\n;semi=D:\\c\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Name2", "\"quoted\"", ""), "D:\\q");
    EXPECT_EQ(ini.ReadString("Name2", " spaced ", ""), "D:\\s");
    EXPECT_EQ(ini.ReadString("Name2", ";semi", ""), "D:\\c");
    ini.WriteString("Name2", "\"quoted\"", "D:\\new");
    EXPECT_EQ(ini.ReadString("Name2", "\"quoted\"", ""), "D:\\new");
    EXPECT_EQ(ReadRaw(path), "[Name2]\r\n\"quoted\"=D:\\q\r\nspaced=D:\\s\r\n;semi=D:\\c\r\n"
                             "|utf-8|\"quoted\"=D:\\new\r\n");
}

// The file is Shift-JIS on every system. Wine runs in code page 932 only; the program's own conversions are told
// that the system's code page is another, as on a Western system or one set to UTF-8.
TEST_F(IniFileTest, TheSystemsCodePageChangesNothingInTheFile)
{
    const std::string existing = "[Name]\r\nD:\\" + Cp932("資料\\表示") + "=" + Cp932("ソフト") + "\r\n[Name2]\r\n" +
                                 Cp932("ソフト") + "=D:\\" + Cp932("資料\\表示") + "\r\n[Style]\r\nStyle=ListBox\r\n";
    for (unsigned codePage : {ui::kUtf8CodePage, 1252u, ui::kShiftJisCodePage}) {
        SCOPED_TRACE(codePage);
        const ui::ScopedSystemCodePage system(codePage);
        const std::string path = PathOf("cp" + std::to_string(codePage) + ".ini");
        WriteRaw(path, existing);
        IniFile ini(path);
        EXPECT_EQ(ini.ReadString("Name", "D:\\資料\\表示", ""), "ソフト");
        EXPECT_EQ(ini.ReadString("Name2", "ソフト", ""), "D:\\資料\\表示");
        ini.WriteString("Name2", "ソフト", "D:\\資料\\表示");
        ini.WriteString("Name", "D:\\资料", "café");
        ini.WriteString("Style", "Style", "ComboBox");
        EXPECT_EQ(ReadRaw(path), "[Name]\r\nD:\\" + Cp932("資料\\表示") + "=" + Cp932("ソフト") +
                                     "\r\n|utf-8|D:\\%E8%B5%84%E6%96%99=|utf-8|caf%C3%A9\r\n[Name2]\r\n" +
                                     Cp932("ソフト") + "=D:\\" + Cp932("資料\\表示") + "\r\n[Style]\r\nStyle=ComboBox\r\n");
        EXPECT_EQ(ini.ReadString("Name", "D:\\资料", ""), "café");
    }
}

// A write goes to a new file beside the old one, which then takes its place: nothing else stays behind, and what
// a write cut short left behind is taken over by the next one.
TEST_F(IniFileTest, AWriteReplacesTheWholeFileAndLeavesNothingBeside)
{
    const std::string path = PathOf("Tessaly.ini");
    WriteRaw(path + ".new", "half a fi");
    IniFile ini(path);
    ini.WriteString("Form", "Pos.Left", "284");
    ini.WriteString("Form", "Pos.Top", "244");
    EXPECT_EQ(ReadRaw(path), "[Form]\r\nPos.Left=284\r\nPos.Top=244\r\n");
    EXPECT_EQ(GetFileAttributesW(ui::ToWide(path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

// As with the profile functions, a read-only file refuses every write, and a hidden file stays hidden.
TEST_F(IniFileTest, AReadOnlyFileRefusesWritesAndAHiddenOneStaysHidden)
{
    const std::string path = PathOf("Tessaly.ini");
    const std::wstring widePath = ui::ToWide(path);
    WriteRaw(path, "[Form]\r\nPos.Left=284\r\n");
    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(IniFile(path).WriteString("Form", "Pos.Left", "1"), WriteError);
    EXPECT_THROW(IniFile(path).WriteString("Form", "Pos.Left", "284"), WriteError);
    EXPECT_EQ(ReadRaw(path), "[Form]\r\nPos.Left=284\r\n");
    EXPECT_EQ(IniFile(path).ReadInteger("Form", "Pos.Left", 0), 284) << "a read-only file is read as ever";

    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    IniFile(path).WriteString("Form", "Pos.Left", "1");
    EXPECT_EQ(ReadRaw(path), "[Form]\r\nPos.Left=1\r\n");
    EXPECT_TRUE(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// A Tessaly.ini that is a link stays one: the write reaches the file it leads to, as with the profile functions.
TEST_F(IniFileTest, ALinkedFileIsWrittenWhereItLeads)
{
    const std::string shared = PathOf("shared.ini");
    WriteRaw(shared, "[Form]\r\nPos.Left=284\r\n");
    const std::string hard = PathOf("hard.ini");
    ASSERT_TRUE(CreateHardLinkW(ui::ToWide(hard).c_str(), ui::ToWide(shared).c_str(), nullptr));
    IniFile(hard).WriteString("Form", "Pos.Top", "244");
    EXPECT_EQ(ReadRaw(shared), "[Form]\r\nPos.Left=284\r\nPos.Top=244\r\n") << "a hard link shares the write";

    const std::string soft = PathOf("soft.ini");
    const std::wstring wideSoft = ui::ToWide(soft);
    if (!CreateSymbolicLinkW(wideSoft.c_str(), ui::ToWide(shared).c_str(), 0x2) ||
        GetFileAttributesW(wideSoft.c_str()) == INVALID_FILE_ATTRIBUTES) {
        DeleteFileW(wideSoft.c_str());
        const std::string unixLink = test_support::UnixPathOf(wideSoft);
        const std::string unixTarget = test_support::UnixPathOf(ui::ToWide(shared));
        ASSERT_FALSE(unixLink.empty());
        ASSERT_TRUE(test_support::RunUnixCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\""));
        ASSERT_TRUE(test_support::WaitFor([&] { return GetFileAttributesW(wideSoft.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    }
    IniFile(soft).WriteString("Form", "Pos.Width", "378");
    EXPECT_EQ(ReadRaw(shared), "[Form]\r\nPos.Left=284\r\nPos.Top=244\r\nPos.Width=378\r\n");
    IniFile(shared).WriteString("Form", "Pos.Height", "225");
    EXPECT_EQ(IniFile(soft).ReadInteger("Form", "Pos.Height", 0), 225) << "the link is still a link";
    EXPECT_EQ(IniFile(hard).ReadInteger("Form", "Pos.Width", 0), 378);
    test_support::RemoveFolderLink(wideSoft);
}

}  // namespace
