// The folding of find as you type through the system's national-language functions: the pairs users expect to
// match fold alike, and the direct folding of ASCII gives what the system's mappings give.
#include <gtest/gtest.h>

#include <string>

#include "app/NameFolding.h"

namespace {

using app::FoldName;

TEST(NameFolding, CaseWidthKanaTypeAndComposedFormsFoldAlike) {
    EXPECT_EQ(FoldName("ＭＥＭＯ"), FoldName("memo"));
    EXPECT_EQ(FoldName("MeMo"), "memo");
    EXPECT_EQ(FoldName("メモ"), FoldName("めも"));
    EXPECT_EQ(FoldName("ﾒﾓ"), FoldName("めも"));
    EXPECT_EQ(FoldName("ｶﾞｲﾄﾞ"), FoldName("がいど")) << "half-width voicing marks join their kana";
    EXPECT_EQ(FoldName("か\u3099い\u3068\u3099"), FoldName("がいど"));
    EXPECT_EQ(FoldName("ガイド　２０２６"), FoldName("がいど 2026"));
    EXPECT_NE(FoldName("会議"), FoldName("会"));
    EXPECT_NE(FoldName("めも"), FoldName("めま"));
}

// A name that is ASCII alone is lowered directly: every ASCII character must fold to the same whether it stands
// alone or beside Japanese, which goes through the system's mappings.
TEST(NameFolding, AsciiFoldsAsTheSystemsMappingsFoldIt) {
    const std::string kana = FoldName("あ");
    for (char c = 0x20; c < 0x7F; ++c) {
        const std::string ascii(1, c);
        EXPECT_EQ(FoldName("あ" + ascii), kana + FoldName(ascii)) << "character 0x" << std::hex << int(c);
    }
}

}  // namespace
