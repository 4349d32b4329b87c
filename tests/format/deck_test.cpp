// Input: records of a deck and formatted reads from them.
#include "format/deck.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace talik {
namespace {

std::string error_of(Deck& deck, const char* format, std::initializer_list<Target> targets) {
    try {
        read(deck, Format(format), targets);
    } catch (const InputError& e) {
        return e.what();
    }
    return "no error";
}

TEST(Deck, SplitsRecordsOnLfCrLfAndCr) {
    Deck deck("DECK", "one\r\ntwo\n\nfour\r\rfive\r");
    EXPECT_EQ(deck.next_record(), "one");
    EXPECT_EQ(deck.next_record(), "two");
    EXPECT_EQ(deck.next_record(), "");
    EXPECT_EQ(deck.next_record(), "four");  // a CR alone ends a record too
    EXPECT_EQ(deck.next_record(), "");
    EXPECT_EQ(deck.next_record(), "five");
    EXPECT_EQ(deck.records_read(), 6);
    EXPECT_THROW(deck.next_record(), InputError);
    Deck ended("D", "a\n");
    ended.next_record();
    EXPECT_THROW(ended.next_record(), InputError);
}

TEST(Deck, SkipsAByteOrderMarkOnlyAtTheStart) {
    Deck deck("DECK", "\xEF\xBB\xBF 6\n\xEF\xBB\xBFx\n");
    EXPECT_EQ(deck.next_record(), " 6");
    EXPECT_EQ(deck.next_record(), "\xEF\xBB\xBFx");
    Deck short_deck("DECK", "\xEF\xBB");
    EXPECT_EQ(short_deck.next_record(), "\xEF\xBB");
}

TEST(Read, IntegerFields) {
    struct Case {
        const char* record;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"8", 8},   {" 8", 8}, {"42  ", 42}, {"  42", 42},     {" 4 2", 42},       {"4\t2", 42}, {"", 0},   {"    ", 0},
        {"-5", -5}, {"+7", 7}, {"- 5", -5},  {"32767", 32767}, {"-32768", -32768}, {"0", 0},     {"-0", 0}, {"\t\t", 0},
    };
    for (const Case& c : cases) {
        Deck deck("DECK", std::string(c.record) + "\n");
        std::int16_t v = 99;
        read(deck, Format("(i6)"), {&v});
        EXPECT_EQ(v, c.expected) << '"' << c.record << '"';
    }
    Deck deck("DECK", "8\n 8");
    std::int16_t a = 0;
    std::int16_t b = 0;
    read(deck, Format("(i2)"), {&a});
    read(deck, Format("(i2)"), {&b});
    EXPECT_EQ(a, 8);
    EXPECT_EQ(b, 8);
}

TEST(Read, RealFields) {
    struct Case {
        const char* format;
        const char* record;
        double expected;
    };
    const Case cases[] = {
        {"(F10.0)", "   6378.16", 6378.16},
        {"(F10.0)", "6378.16", 6378.16},
        {"(F10.0)", " 6378 .16 ", 6378.16},
        {"(F10.0)", "12345", 12345.0},
        {"(F10.0)", "1.5E3", 1500.0},
        {"(F10.0)", "1.5e+3", 1500.0},
        {"(F10.0)", "15D2", 1500.0},
        {"(F10.0)", "15d-1", 1.5},
        {"(F10.2)", "12345", 123.45},
        {"(F10.2)", "1234.5", 1234.5},
        {"(F10.2)", "-5", -0.05},
        {"(F10.2)", "1E1", 0.1},
        {"(F10.3)", ".5", 0.5},
        {"(F10.0)", "-.5", -0.5},
        {"(F10.0)", "5.", 5.0},
        {"(F10.0)", "", 0.0},
        {"(F10.0)", "\t1\t.\t5", 1.5},
        {"(F5.0)", "12.5678", 12.56},
        {"(E10.3)", "1234", 1.234},
        {"(F10.0)", "1E-50", 0.0},
        {"(F20.0)", "0.000000000000000000", 0.0},
    };
    for (const Case& c : cases) {
        Deck deck("DECK", std::string(c.record) + "\n");
        Single v = 99.0;
        read(deck, Format(c.format), {&v});
        EXPECT_EQ(static_cast<double>(v), static_cast<double>(Single(c.expected))) << c.format << " \"" << c.record;
    }
    Deck deck("DECK", "1E300");
    double d = 0;
    read(deck, Format("(F10.0)"), {&d});
    EXPECT_EQ(d, 1e300);
}

TEST(Read, SingleIsRoundedOnceFromTheDecimalText) {
    // Just above the midpoint between 1 and the next float: through a double
    // it would land on the midpoint and round down to 1.
    Deck deck("DECK", "1.00000005960464478");
    Single v;
    read(deck, Format("(F20.0)"), {&v});
    EXPECT_EQ(v.f(), std::nextafter(1.0F, 2.0F));
    // random decimals agree with the library's own single conversion
    std::mt19937 rng(3);
    for (int i = 0; i < 20000; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, "%u.%06uE%d", static_cast<unsigned>(rng() % 100000),
                      static_cast<unsigned>(rng() % 1000000), static_cast<int>(rng() % 60) - 30);
        Deck one("D", text);
        read(one, Format("(F40.0)"), {&v});
        ASSERT_EQ(v.f(), std::strtof(text, nullptr)) << text;
    }
}

TEST(Read, RunLineTakesNineOfSixteenFields) {
    Deck deck("DECK", " 1995    3    7    9    5    0   60 1440    3 junk and more\nnext");
    std::int16_t dt[6] = {};
    std::int16_t step = 0;
    std::int16_t count = 0;
    std::int16_t station = 0;
    read(deck, Format("(16I5)"), {&dt[0], &dt[1], &dt[2], &dt[3], &dt[4], &dt[5], &step, &count, &station});
    EXPECT_EQ(dt[0], 1995);
    EXPECT_EQ(dt[2], 7);
    EXPECT_EQ(step, 60);
    EXPECT_EQ(count, 1440);
    EXPECT_EQ(station, 3);
    EXPECT_EQ(deck.next_record(), "next");  // the rest of the record was skipped
}

TEST(Read, ElementSetAcrossThreeRecords) {
    Deck deck("DECK", " 1995    3    7    9    5    0 4321\r\n"
                      "  7178.137  0.001234    98.765   234.567   123.456   345.678\r\n"
                      "      -0.5       0.0     -1.25    14.25  anything");
    std::int16_t e[6] = {};
    std::int32_t rev = 0;
    Single r[10];
    read(deck, Format("(7I5/6F10.0/5F10.0)"),
         {&e[0], &e[1], &e[2], &e[3], &e[4], &e[5], &rev, &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6], &r[7], &r[8],
          &r[9]});
    EXPECT_EQ(e[0], 1995);
    EXPECT_EQ(e[5], 0);
    EXPECT_EQ(rev, 4321);
    const double expected[10] = {7178.137, 0.001234, 98.765, 234.567, 123.456, 345.678, -0.5, 0.0, -1.25, 14.25};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(r[i].f(), Single(expected[i]).f()) << i;
    EXPECT_EQ(deck.records_read(), 3);
}

TEST(Read, ErrorMessages) {
    struct Case {
        const char* deck;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"1\n    1    2    3    4    5    6    712a45", "(16I5)",
         "DECK: record 2, columns 36-40: \"12a45\" is not an integer"},
        {"x\ny\nz\n     1.0     0.0.2", "(6F10.0)", "DECK: record 4, columns 11-20: \"0.0.2\" is not a number"},
        {"\n99999", "(16I5)", "DECK: record 2, columns 1-5: \"99999\" is out of range (-32768 to 32767)"},
        {"-32769", "(I6)", "DECK: record 1, columns 1-6: \"-32769\" is out of range (-32768 to 32767)"},
        {"   -", "(I5)", "DECK: record 1, columns 1-5: \"-\" is not an integer"},
        {"1,5", "(I5)", "DECK: record 1, columns 1-5: \"1,5\" is not an integer"},
        {"1,5", "(F5.0)", "DECK: record 1, columns 1-5: \"1,5\" is not a number"},
        {" +", "(F5.0)", "DECK: record 1, columns 1-5: \"+\" is not a number"},
        {"E5", "(F5.0)", "DECK: record 1, columns 1-5: \"E5\" is not a number"},
        {"1.5E", "(F5.0)", "DECK: record 1, columns 1-5: \"1.5E\" is not a number"},
        {"1.5E+", "(F5.0)", "DECK: record 1, columns 1-5: \"1.5E+\" is not a number"},
        {".", "(F5.0)", "DECK: record 1, columns 1-5: \".\" is not a number"},
        {"1E39", "(F5.0)", "DECK: record 1, columns 1-5: \"1E39\" is too large"},
        {"  1\x01"
         "2",
         "(F5.0)", "DECK: record 1, columns 1-5: \"1\\x012\" is not a number"},
        {"12\xC3\xA9", "(I4)", "DECK: record 1, columns 1-4: \"12\\xC3\\xA9\" is not an integer"},
        {"abc", "(2X,I1)", "DECK: record 1, column 3: \"c\" is not an integer"},
        {"", "(i2)", "DECK: record 1 is missing (the deck is empty)"},
        {"1\n2\n", "(I1/I1/I1)", "DECK: record 3 is missing (the deck ends after record 2)"},
    };
    for (const Case& c : cases) {
        Deck deck("DECK", c.deck);
        std::int16_t a = 0;
        std::int16_t b = 0;
        std::int16_t i[16] = {};
        Single f[6];
        const std::string format = c.format;
        std::string got;
        if (format == "(16I5)") {
            deck.next_record();
            got = error_of(deck, c.format, {&i[0], &i[1], &i[2], &i[3], &i[4], &i[5], &i[6], &i[7]});
        } else if (format == "(6F10.0)") {
            for (int skip = 0; skip < 3; ++skip) deck.next_record();
            got = error_of(deck, c.format, {&f[0], &f[1]});
        } else if (format[1] == 'F') {
            got = error_of(deck, c.format, {&f[0]});
        } else if (format == "(I1/I1/I1)") {
            got = error_of(deck, c.format, {&a, &b, &i[0]});
        } else {
            got = error_of(deck, c.format, {&a});
        }
        EXPECT_EQ(got, c.expected) << c.format;
    }
    // a NUL byte inside the field is shown, not cut off
    Deck nul("DECK", std::string("1\0"
                                 "2",
                                 3));
    std::int16_t v = 0;
    EXPECT_EQ(error_of(nul, "(I3)", {&v}), "DECK: record 1, columns 1-3: \"1\\x002\" is not an integer");
    // 32-bit variables take more, and say so when refused
    Deck wide("DECK", "2147483647 2147483648");
    std::int32_t w = 0;
    read(wide, Format("(I10)"), {&w});
    EXPECT_EQ(w, 2147483647);
    Deck wider("DECK", "99999999999999999999");
    EXPECT_EQ(error_of(wider, "(I20)", {&w}),
              "DECK: record 1, columns 1-20: \"99999999999999999999\" is out of range (-2147483648 to 2147483647)");
    Deck huge("DECK", "1E309");
    double d = 0;
    EXPECT_EQ(error_of(huge, "(F5.0)", {&d}), "DECK: record 1, columns 1-5: \"1E309\" is too large");
    // long texts are cut
    Deck junk("DECK", std::string(100, 'x'));
    EXPECT_EQ(error_of(junk, "(I100)", {&v}),
              "DECK: record 1, columns 1-100: \"" + std::string(40, 'x') + "...\" is not an integer");
}

TEST(Read, FormatMisuseIsAProgrammingError) {
    Deck deck("DECK", "1\n2\n3\n");
    std::int16_t i = 0;
    Single f;
    EXPECT_THROW(read(deck, Format("('x',I2)"), {&i}), FormatError);
    EXPECT_THROW(read(deck, Format("(A2)"), {&i}), FormatError);
    EXPECT_THROW(read(deck, Format("(I2)"), {&i, &i}), FormatError);
    EXPECT_THROW(read(deck, Format("(I2)"), {&f}), FormatError);
    EXPECT_THROW(read(deck, Format("(F2.0)"), {&i}), FormatError);
    EXPECT_EQ(deck.records_read(), 0);  // refused before reading
}

TEST(Read, JunkDecksNeverCrash) {
    std::mt19937 rng(11);
    const Format format("(7I5/6F10.0/5F10.0)");
    for (int n = 0; n < 3000; ++n) {
        std::string contents(rng() % 200, '\0');
        for (char& c : contents) c = static_cast<char>(rng() % 3 == 0 ? "0123456789 .-+ED\n\r"[rng() % 19] : rng());
        Deck deck("J", contents);
        std::int16_t e[7] = {};
        Single r[10];
        try {
            read(deck, format,
                 {&e[0], &e[1], &e[2], &e[3], &e[4], &e[5], &e[6], &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6],
                  &r[7], &r[8], &r[9]});
        } catch (const InputError& error) {
            const std::string what = error.what();
            for (const char c : what) ASSERT_TRUE(c >= 0x20 && c < 0x7F) << what;
        }
    }
}

TEST(DeckOpen, ReadsFilesAndExplainsFailures) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("talik_deck_test_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    const std::string good = (dir / "good.dat").string();
    std::ofstream(good, std::ios::binary) << " 6\r\n 1995";
    Deck deck = Deck::open(good);
    EXPECT_EQ(deck.name(), good);
    EXPECT_EQ(deck.next_record(), " 6");
    EXPECT_EQ(deck.next_record(), " 1995");

    auto failure = [](const std::string& path) -> std::string {
        try {
            Deck::open(path);
        } catch (const InputError& e) {
            return e.what();
        }
        return "no error";
    };
    const std::string missing = (dir / "missing.dat").string();
    EXPECT_EQ(failure(missing), missing + ": cannot read the deck: No such file or directory");
    EXPECT_EQ(failure(dir.string()), dir.string() + ": cannot read the deck: Is a directory");
    const std::string big = (dir / "big.dat").string();
    std::ofstream(big, std::ios::binary) << std::string(1024 * 1024 + 1, '\n');
    EXPECT_EQ(failure(big), big + ": cannot read the deck: larger than 1 MiB");
    const std::string limit = (dir / "limit.dat").string();
    std::ofstream(limit, std::ios::binary) << std::string(1024 * 1024, '\n');
    EXPECT_NO_THROW(Deck::open(limit));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace talik
