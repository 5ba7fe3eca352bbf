// The files whose icon is read from the file itself, each kind in its way, by extension in any letter case; every
// other name keeps its kind's icon. Where the associations' "DefaultIcon" values say a kind's icon is, and what a
// shortcut's bytes say of its icon.
#include "app/rules/OwnIcon.h"
#include "app/rules/ShellLinkFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

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

namespace {

// A shortcut's bytes as the shell writes them, part by part.
class LinkBytes {
public:
    explicit LinkBytes(std::uint32_t flags, std::int32_t iconIndex = 0) {
        U32(0x4C);
        const unsigned char linkClass[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
        bytes_.append(reinterpret_cast<const char*>(linkClass), 16);
        U32(flags);
        bytes_.append(0x38 - bytes_.size(), '\0');
        U32(static_cast<std::uint32_t>(iconIndex));
        bytes_.append(0x4C - bytes_.size(), '\0');
    }
    LinkBytes& U16(std::uint32_t v) {
        bytes_.push_back(static_cast<char>(v & 0xFF));
        bytes_.push_back(static_cast<char>(v >> 8 & 0xFF));
        return *this;
    }
    LinkBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    LinkBytes& Raw(std::string_view b) {
        bytes_.append(b);
        return *this;
    }
    // A text of the string data: its count of characters, then UTF-16 units or bytes.
    LinkBytes& Text(std::u16string_view text) {
        U16(static_cast<std::uint32_t>(text.size()));
        for (char16_t c : text) U16(c);
        return *this;
    }
    LinkBytes& NarrowText(std::string_view text) {
        U16(static_cast<std::uint32_t>(text.size()));
        return Raw(text);
    }
    // A block of 0x314 bytes with a path of 260 bytes and of 260 UTF-16 units.
    LinkBytes& EnvironmentBlock(std::uint32_t signature, std::string_view narrow, std::u16string_view wide) {
        U32(0x314).U32(signature);
        std::string path(narrow);
        path.resize(260, '\0');
        Raw(path);
        for (std::size_t i = 0; i < 260; ++i) U16(i < wide.size() ? wide[i] : 0);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Texts of the system's code page read as Latin-1 here: every byte one character.
std::wstring Latin1(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::optional<app::ShellLinkIcon> Read(const LinkBytes& link) { return app::ReadShellLinkIcon(link.Bytes(), Latin1); }

const std::uint32_t kIdList = 0x1, kLinkInfo = 0x2, kName = 0x4, kRelative = 0x8, kIcon = 0x40, kUnicode = 0x80,
                    kExpString = 0x200, kExpIcon = 0x4000;

}  // namespace

TEST(ShellLinkFile, TheIconItNamesWithItsIndex)
{
    LinkBytes link(kIdList | kName | kIcon | kUnicode, -4);
    link.U16(4).Raw(std::string("\x02\0\0\0", 4));
    link.Text(u"説明").Text(u"C:\\windows\\system32\\shell32.dll").U32(0);
    const auto read = Read(link);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->iconFile, L"C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(read->iconIndex, -4);
    EXPECT_EQ(read->target, L"");
}

TEST(ShellLinkFile, TheLocalPathItLeadsToInEitherForm)
{
    // The link information with the base path and suffix in the code page only (a header of 0x1C bytes).
    LinkBytes narrow(kLinkInfo);
    narrow.U32(0x1C + 12 + 6 + 4).U32(0x1C).U32(1).U32(0x1C).U32(0x1C + 12).U32(0).U32(0x1C + 12 + 6);
    narrow.U32(12).U32(3).U32(0).Raw(std::string("C:\\a\\\0", 6)).Raw(std::string("b.x\0", 4));
    auto read = Read(narrow);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->target, L"C:\\a\\b.x");
    EXPECT_FALSE(read->targetHasVariables);

    // With UTF-16 forms too (a header of 0x24 bytes), which are taken.
    LinkBytes wide(kLinkInfo | kUnicode);
    const std::uint32_t base = 0x24, suffix = base + 12;
    wide.U32(suffix + 2 + 10 + 12).U32(0x24).U32(1).U32(0).U32(suffix).U32(0).U32(suffix + 1).U32(suffix + 2)
        .U32(suffix + 2 + 10);
    wide.Raw(std::string(12, '\0')).Raw(std::string("\0\0", 2));
    for (char16_t c : u"C:\\予") wide.U16(c);
    for (char16_t c : u"定.exe") wide.U16(c);
    read = Read(wide);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->target, L"C:\\予定.exe");
}

TEST(ShellLinkFile, ARelativePathAndPathsWithVariables)
{
    LinkBytes link(kRelative | kIcon | kExpString | kExpIcon, 7);
    link.NarrowText("..\\tool.exe").NarrowText("C:\\old.ico");
    link.EnvironmentBlock(0xA0000001, "%ProgramFiles%\\t.exe", u"");
    link.EnvironmentBlock(0xA0000007, "", u"%SystemRoot%\\icons.dll");
    link.U32(0);
    const auto read = Read(link);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->relativeTarget, L"..\\tool.exe");
    EXPECT_EQ(read->target, L"%ProgramFiles%\\t.exe");
    EXPECT_TRUE(read->targetHasVariables);
    EXPECT_EQ(read->iconFile, L"%SystemRoot%\\icons.dll");
    EXPECT_EQ(read->iconIndex, 7);
}

TEST(ShellLinkFile, OtherBytesAndEveryCutAreNoShortcut)
{
    EXPECT_FALSE(app::ReadShellLinkIcon("not a shortcut", Latin1));
    EXPECT_FALSE(app::ReadShellLinkIcon("", Latin1));
    LinkBytes link(kIdList | kRelative | kIcon | kUnicode | kExpIcon, 1);
    link.U16(4).Raw(std::string("\x02\0\0\0", 4)).Text(u"a.exe").Text(u"b.ico");
    link.EnvironmentBlock(0xA0000007, "", u"c.ico").U32(0);
    ASSERT_TRUE(Read(link));
    // Cut anywhere in its header or texts it is refused; cut in its last blocks the texts are still read. Every
    // length is read within the bytes it is given (the sanitizers see to that).
    const std::string& whole = link.Bytes();
    const std::size_t textsEnd = whole.size() - 0x314 - 4;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const auto read = app::ReadShellLinkIcon(std::string_view(whole.data(), length), Latin1);
        EXPECT_EQ(read.has_value(), length >= textsEnd) << length;
    }
    // Sizes that point past the end are refused, not followed.
    LinkBytes huge(kIdList);
    huge.U16(0xFFFF);
    EXPECT_FALSE(Read(huge));
}
