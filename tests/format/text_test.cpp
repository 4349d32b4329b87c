// Outside text made safe: names by exact strings and, on arbitrary bytes,
// checked against the C library's own UTF-8 decoder (iconv); message quoting.

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>
#include <string>

#include "format/text.hpp"

namespace talik {
namespace {

// Whether text is well-formed UTF-8, as iconv decodes it.
bool valid_utf8(std::string text) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    std::string out(4 * text.size() + 4, '\0');
    char* in = text.data();
    char* to = out.data();
    std::size_t in_left = text.size();
    std::size_t out_left = out.size();
    const bool ok = iconv(cd, &in, &in_left, &to, &out_left) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok && in_left == 0;
}

TEST(CleanName, Cases) {
    const std::string x79(79, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"ISS (ZARYA)", "ISS (ZARYA)"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},  // UTF-8 kept
        {"a\x1B[31mb\nc", "a\xEF\xBF\xBD[31mb\xEF\xBF\xBD"
                          "c"},  // ESC, line end
        {"a\xC2\x85"
         "b",
         "a\xEF\xBF\xBD"
         "b"},                                                     // C1 control
        {"\xC0\xAF\xC3", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // overlong, cut short
        {"ab\xE2\x80\xAE"
         "cd",
         "\xE2\x81\xA8"
         "ab\xE2\x80\xAE"
         "cd\xE2\x81\xA9"},  // override isolated
        {"a\xE2\x81\xA6"
         "b",
         "\xE2\x81\xA8"
         "a\xE2\x81\xA6"
         "b\xE2\x81\xA9\xE2\x81\xA9"},  // own isolate closed
        {"a\xE2\x81\xA9"
         "b",
         "ab"},  // stray pop dropped
        {std::string(100, 'x'), std::string(80, 'x') + "..."},
        {x79 + "\xC3\xA9", x79 + "..."},  // cut at a character
    };
    for (const auto& [raw, expected] : cases) EXPECT_EQ(clean_name(raw), expected) << printable(raw);
}

TEST(CleanName, AnyBytesGiveSafeUtf8) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 120);
    for (int i = 0; i < 2000; ++i) {
        std::string raw(length(random), '\0');
        for (char& c : raw) c = static_cast<char>(byte(random));
        const std::string name = clean_name(raw);
        ASSERT_TRUE(valid_utf8(name)) << printable(raw);
        for (std::size_t k = 0; k < name.size(); ++k) {
            const auto b = static_cast<unsigned char>(name[k]);
            const bool c1 = b == 0xC2 && k + 1 < name.size() && static_cast<unsigned char>(name[k + 1]) <= 0x9F;
            ASSERT_FALSE(b < 0x20 || b == 0x7F || c1) << printable(raw);
        }
    }
}

TEST(Quote, OneLineOfPrintableAscii) {
    const std::pair<std::string, std::string> cases[] = {
        {"  12a45\t", "\"12a45\""},
        {"a\nb", "\"a\\x0Ab\""},
        {"\xC3\xA9", "\"\\xC3\\xA9\""},
        {std::string(50, 'y'), "\"" + std::string(40, 'y') + "...\""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(quote(text), expected);
    EXPECT_EQ(printable("\xC3\xA9\r\n"), "\xC3\xA9\\x0D\\x0A");
}

}  // namespace
}  // namespace talik
