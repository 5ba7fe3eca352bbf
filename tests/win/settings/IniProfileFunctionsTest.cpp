// The settings file's access layer against the system's profile functions (GetPrivateProfileStringW and
// WritePrivateProfileStringW under code page 932), on a corpus of files: the ones the other tests write and odd
// ones made by hand. Every read gives what the profile function gives; every write leaves the same bytes where the
// profile function writes the file in its own layout, and the same sections, keys and values in the same order
// everywhere (the profile function under Wine writes the whole file anew, dropping blank lines and the blanks around
// names and "=", where this layer and Windows leave the lines it does not write as they are).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SettingsTestFolder.h"
#include "settings/IniFile.h"
#include "settings/rules/ProfileLines.h"
#include "ui/CodePage.h"

namespace {

using settings::IniFile;

struct Corpus {
    const char* name;
    std::string bytes;  // code page 932
    bool inTheProfileLayout;  // each line as the profile functions write it: writes leave the same bytes
};

std::string Sjis(const std::string& utf8) { return ui::ToCodePageWithoutBestFit(ui::ToWide(utf8), 932); }

std::vector<Corpus> Files()
{
    std::string longLine = "[Long]\r\nvalue=";
    for (int i = 0; i < 700; ++i) longLine += Sjis("表ソ") + "x";
    longLine += "\r\nafter=1\r\n";
    return {
        {"first run",
         "[FixedFolder Setting]\r\ncount=1\r\nF_Folder1=D:\\Docs\r\n[Name]\r\nD:\\Docs=Docs\r\n[Name2]\r\n"
         "Docs=D:\\Docs\r\n[Aplication]\r\ncount=1\r\nAplication0=C:\\Tools\\editor.exe\r\n[Aplication2]\r\n"
         "Aplication0=editor.exe\r\n[extension]\r\ncount=2\r\nex1=.txt\r\nex2=.pdf\r\n[ScrollBar]\r\nFolderList=1\r\n"
         "FileList=1\r\n[Option]\r\nUpdateCheck=1\r\n[DirDeep]\r\ndepth=0\r\n[Style]\r\nbar_hide=0\r\nStyle=ListBox\r\n"
         "OnTop=0\r\n[Form]\r\nPos.Left=284\r\nPos.Top=244\r\nPos.Width=378\r\nPos.Height=225\r\n",
         true},
        {"values", "[Values]\r\nhex=0x3\r\nHEX=0X1f\r\ndollar=$10\r\nneg=-12\r\nword=abc\r\nbig=2147483648\r\n", true},
        {"japanese names",
         "[Name]\r\nD:\\" + Sjis("表示\\ソフト") + "=" + Sjis("予定能") + "\r\n[Name2]\r\n" + Sjis("予定能") + "=D:\\" +
             Sjis("表示\\ソフト") + "\r\n[" + Sjis("ソ表") + "]\r\n" + Sjis("ー") + "=" + Sjis("ー]") + "\r\n",
         true},
        {"duplicates",
         "[A]\r\nx=1\r\nX=2\r\n[B]\r\ny=1\r\n[a]\r\nx=3\r\nz=4\r\n[b]\r\ny=2\r\n", true},
        {"comments and bare lines", ";top\r\n[A]\r\n;x=1\r\nbare\r\nx=2\r\n", true},
        {"unnamed section", "x=0\r\ny=1\r\n[A]\r\nx=2\r\n", true},
        {"empty section", "[Empty]\r\n[A]\r\nx=1\r\n", true},
        {"quotes", "[Q]\r\nd=\"a b\"\r\ns='c'\r\nhalf=\"d\r\nempty=\"\"\r\none=\"\r\n\"k\"=v\r\n", true},
        {"blanks", "  [ A ]  \r\n x = 1 \r\n\ty\t=\t2\t\r\n\r\n\r\n[B]\r\nz =3\r\n", false},
        {"no final line break", "[A]\r\nx=1\r\ny=2", false},
        {"LF only", "[A]\nx=1\n\n[B]\ny=2\n", false},
        {"CR only", "[A]\rx=1\ry=2\r[B]\rz=3\r", false},
        {"mixed breaks", "[A]\r\r\nx=1\n\ry=2\r\n\r\n[B]\rz=3", false},
        {"brackets", "[a]b]\r\nx=1\r\n[c\r\ny=2\r\n[]\r\nz=3\r\n", false},
        {"letter case beyond ASCII", "[W]\r\n" + Sjis("Ａ") + "=full\r\n" + Sjis("Α") + "=greek\r\n" + Sjis("Д") +
                                          "=cyrillic\r\n",
         true},
        {"long line", longLine, true},
        {"empty", "", true},
    };
}

// Names to look up in every file: the names the files hold, in other letter case and with blanks, and missing ones.
std::vector<std::pair<std::string, std::string>> Lookups()
{
    std::vector<std::pair<std::string, std::string>> lookups = {
        {"FixedFolder Setting", "count"}, {"fixedfolder setting", "F_FOLDER1"}, {"Name", "D:\\Docs"},
        {"Name", "D:\\表示\\ソフト"}, {"name", "d:\\表示\\ソフト"}, {"Name2", "予定能"}, {"ソ表", "ー"},
        {"Style", "Ontop"}, {"STYLE", "style"}, {"Values", "HEX"}, {"values", "Word"}, {"A", "x"}, {"a", "X"},
        {"A", "y"}, {"A", "z"}, {"B", "y"}, {"b", "Z"}, {"A", "bare"}, {"A", ";x"}, {"", "x"}, {"", "y"},
        {"Empty", "x"}, {"Q", "d"}, {"Q", "s"}, {"Q", "half"}, {"Q", "empty"}, {"Q", "one"}, {"Q", "\"k\""},
        {" A ", " x "}, {"a]b", "x"}, {"", "[c"}, {"", "z"}, {"W", "Ａ"}, {"W", "ａ"}, {"W", "Α"}, {"W", "α"},
        {"W", "Д"}, {"W", "д"}, {"Long", "value"}, {"Long", "after"}, {"Missing", "x"}, {"A", "missing"}};
    return lookups;
}

// Writes as the program makes them, into existing and new sections and keys, in any letter case.
std::vector<std::vector<std::string>> Writes()
{
    return {{"Form", "Pos.Left", "100"},       {"form", "POS.TOP", "-5"},      {"A", "x", "new"},
            {"a", "Y", "added"},               {"B", "y", "1"},                {"New Section", "k", "v"},
            {"Name", "D:\\表示\\ソフト", "ソ"}, {"Name2", "予定能", "D:\\予\\能"}, {"A", "bare", "now"},
            {"Empty", "first", "1"},           {"", "top", "1"},               {"Q", "d", "plain"},
            {"Long", "value", "short"},        {"A", "x", "1"}};
}

class IniProfileFunctions : public settings_test::SettingsTestFolder {
protected:
    // What the profile function reads; a value longer than the layer's limit is cut as the layer cuts it.
    static std::string ProfileRead(const std::string& path, const std::string& section, const std::string& key)
    {
        std::vector<wchar_t> buffer(32768, L'\0');
        GetPrivateProfileStringW(ui::ToWide(section).c_str(), ui::ToWide(key).c_str(), L"<none>", buffer.data(),
                                 static_cast<DWORD>(buffer.size()), ui::ToWide(path).c_str());
        const std::string bytes = Sjis(ui::FromWide(buffer.data()));
        return ui::FromWide(ui::FromCodePage(settings::CutToWholeCharacters(bytes, IniFile::kMaxValueLength), 932));
    }

    // The file as the profile functions lay it out: a copy, written anew by them through a key of its own.
    std::string ProfileLayout(const std::string& bytes)
    {
        const std::string path = PathOf("layout" + std::to_string(++layouts_) + ".ini");
        WriteRaw(path, bytes);
        EXPECT_TRUE(WritePrivateProfileStringW(L"zz layout", L"k", L"v", ui::ToWide(path).c_str()));
        return ReadRaw(path);
    }

    int layouts_ = 0;
};

TEST_F(IniProfileFunctions, EveryReadGivesWhatTheProfileFunctionGives)
{
    for (const Corpus& file : Files()) {
        SCOPED_TRACE(file.name);
        const std::string path = PathOf("read.ini");
        WriteRaw(path, file.bytes);
        for (const auto& [section, key] : Lookups()) {
            SCOPED_TRACE("[" + section + "] " + key);
            EXPECT_EQ(IniFile(path).ReadString(section, key, "<none>"), ProfileRead(path, section, key));
        }
    }
}

TEST_F(IniProfileFunctions, EveryWriteLeavesWhatTheProfileFunctionLeaves)
{
    for (const Corpus& file : Files()) {
        for (const std::vector<std::string>& write : Writes()) {
            SCOPED_TRACE(std::string(file.name) + ": [" + write[0] + "] " + write[1] + "=" + write[2]);
            const std::string theirs = PathOf("theirs.ini");
            const std::string ours = PathOf("ours.ini");
            WriteRaw(theirs, file.bytes);
            WriteRaw(ours, file.bytes);
            ASSERT_TRUE(WritePrivateProfileStringW(ui::ToWide(write[0]).c_str(), ui::ToWide(write[1]).c_str(),
                                                   ui::ToWide(write[2]).c_str(), ui::ToWide(theirs).c_str()));
            IniFile(ours).WriteString(write[0], write[1], write[2]);
            if (file.inTheProfileLayout) {
                EXPECT_EQ(ReadRaw(ours), ReadRaw(theirs));
            } else {
                EXPECT_EQ(ProfileLayout(ReadRaw(ours)), ProfileLayout(ReadRaw(theirs)));
            }
            EXPECT_EQ(IniFile(ours).ReadString(write[0], write[1], "<none>"), ProfileRead(theirs, write[0], write[1]));
        }
    }
}

}  // namespace
