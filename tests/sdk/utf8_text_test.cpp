// UTF-8 <-> String128 against glibc's iconv for well-formed text, and the
// replacement and cutting rules for what iconv would refuse.
#include "sdk/utf8_text.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>
#include <string>

namespace {

using Steinberg::Vst::String128;
using Steinberg::Vst::TChar;
using Steinberg::Vst::Rive2ZOD3::utf16ToUtf8;
using Steinberg::Vst::Rive2ZOD3::utf8ToString128;

// The UTF-16 code units of a well-formed UTF-8 text, as iconv converts it.
std::u16string iconvUtf16(const std::string& utf8)
{
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(4 * in.size() + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << utf8;
    iconv_close(cd);
    std::u16string units;
    for (const char* p = out.data(); p + 1 < outPtr; p += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0])
                                              | (static_cast<unsigned char>(p[1]) << 8)));
    return units;
}

std::u16string toU16(const String128 text)
{
    std::u16string s;
    for (size_t i = 0; i < 128 && text[i] != 0; ++i)
        s.push_back(static_cast<char16_t>(text[i]));
    return s;
}

TEST(Utf8Text, WellFormedTextConvertsAsIconvDoesBothWays)
{
    const char* const texts[] = {
        "",
        "Factory Presets",
        "Gain \xC2\xB1" "12 dB",                  // U+00B1, two bytes
        "-\xE2\x88\x9E",                           // U+221E, three bytes
        "\xC3\x84qualizer \xE6\xB3\xA2",           // Latin and CJK
        "Tempo \xF0\x9F\x8E\xB5 \xF0\x9D\x84\x9E", // beyond the BMP: surrogate pairs
    };
    for (const char* text : texts)
    {
        String128 wide {};
        utf8ToString128(text, wide);
        EXPECT_EQ(toU16(wide), iconvUtf16(text)) << text;

        char back[512];
        utf16ToUtf8(wide, back, sizeof back);
        EXPECT_STREQ(back, text);
    }
}

TEST(Utf8Text, MalformedBytesBecomeReplacementCharacters)
{
    const struct
    {
        const char* name;
        const char* utf8;
        std::u16string expected;
    } cases[] = {
        {"lone continuation byte", "a\x80z", u"a\uFFFDz"},
        {"lead byte without continuation", "a\xC3z", u"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
        {"cut at the end", "ok\xE2\x88", u"ok\uFFFD"},
        {"invalid lead byte", "\xFF!", u"\uFFFD!"},
        {"null text", nullptr, u""},
    };
    for (const auto& c : cases)
    {
        String128 wide {};
        wide[0] = u'x';
        utf8ToString128(c.utf8, wide);
        EXPECT_EQ(toU16(wide), c.expected) << c.name;
    }
}

TEST(Utf8Text, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const TChar lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    char out[32];
    utf16ToUtf8(lone, out, sizeof out);
    EXPECT_STREQ(out, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

// A String128 holds 127 code units and a terminator; a surrogate pair that would
// straddle the end is left out whole, and UTF-8 output never ends mid-character.
TEST(Utf8Text, CuttingKeepsWholeCharacters)
{
    std::string longText(126, 'a');
    longText += "\xF0\x9F\x8E\xB5";  // needs units 126 and 127: does not fit
    String128 wide {};
    utf8ToString128(longText.c_str(), wide);
    EXPECT_EQ(toU16(wide), std::u16string(126, u'a'));

    std::string fits(125, 'a');
    fits += "\xF0\x9F\x8E\xB5";  // units 125 and 126
    utf8ToString128(fits.c_str(), wide);
    EXPECT_EQ(toU16(wide), iconvUtf16(fits));

    const TChar infinity[] = {u'-', 0x221E, 0};
    for (size_t size = 1; size <= 5; ++size)
    {
        char out[8];
        std::memset(out, 0x55, sizeof out);
        utf16ToUtf8(infinity, out, size);
        const std::string expected = size < 5 ? std::string("-").substr(0, size - 1) : "-\xE2\x88\x9E";
        EXPECT_EQ(std::string(out), expected) << "buffer of " << size;
    }
}

} // namespace
