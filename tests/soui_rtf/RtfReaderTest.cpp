#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtf/CodePageText.h"

namespace {

using SOUI::rtf::ReadRtf;
using SOUI::rtf::RtfStatus;

constexpr const char* kGbkHeader =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
    "{\\f1\\fswiss\\fcharset0 Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}"
    "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\f0\\fs18 ";

struct Case {
    std::string body;  // follows kGbkHeader, closed with '}'
    std::wstring text;
};

TEST(RtfReader, GbkDocumentsBecomePlainParagraphs) {
    const std::vector<Case> cases{
        {"plain\\par", L"plain\n"},
        {"\\'d6\\'d0\\'ce\\'c4\\par", L"中文\n"},
        {"\\'d0\\'ed\\'bf\\'c9\\'d0\\'ad\\'d2\\'e9\\par\n\\'c8\\'ed\\'bc\\'fe\\par", L"许可协议\n软件\n"},
        // Raw GBK bytes, and a trail byte written as an escaped backslash.
        {"\xd6\xd0 \\'81\\\\\\par", L"中 乗\n"},
        // \uN with its stand-in characters dropped, the skip count from \ucN.
        {"\\u20013?\\u25991?\\par", L"中文\n"},
        {"{\\uc2\\u20013\\'d6\\'d0}x\\par", L"中x\n"},
        {"\\uc0\\u19979\\u-28803", L"下载"},
        {"\\u-10179?\\u-8704?", std::wstring(1, static_cast<wchar_t>(0x1F600))},
        // Groups, hidden destinations and formatting words.
        {"{\\b bold} and {\\i italic}\\par", L"bold and italic\n"},
        {"{\\*\\unknowndest hidden}shown{\\info{\\title t}}\\par", L"shown\n"},
        {"a\\tab b\\line c\\~d\\emdash e", L"a\tb\nc\u00A0d\u2014e"},
        {"\\{brace\\} back\\\\slash", L"{brace} back\\slash"},
        {"line1\r\nline2\\par", L"line1line2\n"},
        // A Latin font inside a GBK document decodes its own code page.
        {"{\\f1 caf\\'e9}\\par", L"café\n"},
        // A malformed escape is dropped, an invalid byte is shown as such.
        {"a\\'zzb\\'ff\\par", L"azzb\uFFFD\n"},
    };
    for (const Case& c : cases) {
        const auto result = ReadRtf(std::string(kGbkHeader) + c.body + "}");
        EXPECT_EQ(result.status, RtfStatus::kOk) << c.body;
        EXPECT_EQ(result.text, c.text) << c.body;
    }
}

TEST(RtfReader, DocumentCodePageAppliesWithoutFontTable) {
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg936 \\'c8\\'ed\\'bc\\'fe}").text, L"软件");
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi \\'e9t\\'e9}").text, L"été");
}

TEST(RtfReader, BadDocumentsSayWhy) {
    EXPECT_EQ(ReadRtf("plain text").status, RtfStatus::kNotRtf);
    EXPECT_EQ(ReadRtf("").status, RtfStatus::kNotRtf);

    const auto open = ReadRtf("{\\rtf1 kept{\\b bold");
    EXPECT_EQ(open.status, RtfStatus::kUnbalanced);
    EXPECT_EQ(open.text, L"keptbold");

    EXPECT_EQ(ReadRtf("{\\rtf1 x}}").status, RtfStatus::kOk);   // text after the end is ignored
    EXPECT_EQ(ReadRtf("{\\rtf1 x\\bin5 {{{{ y}").text, L"xy");  // the bytes are no groups
    // Cut off in the middle of an escape or a control word.
    EXPECT_EQ(ReadRtf("{\\rtf1 x\\'d").status, RtfStatus::kUnbalanced);
    EXPECT_EQ(ReadRtf("{\\rtf1 x\\").text, L"x");
}

TEST(CodePageText, UnknownPagesAndCutCharactersAreReplaced) {
    EXPECT_EQ(SOUI::rtf::DecodeCodePage(936, "\xd6\xd0\xce"), L"中\uFFFD");
    EXPECT_EQ(SOUI::rtf::DecodeCodePage(99999, "ab"), L"\uFFFD\uFFFD");
    EXPECT_EQ(SOUI::rtf::DecodeCodePage(1252, "\x80"), L"\u20AC");
    EXPECT_EQ(SOUI::rtf::CodePageOfCharset(134), 936u);
    EXPECT_EQ(SOUI::rtf::CodePageOfCharset(1), 0u);
}

}  // namespace
