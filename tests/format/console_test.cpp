// Output units: the console's carriage control and the report file's lines.
#include "format/console.hpp"
#include "format/report_file.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace talik {
namespace {

TEST(Console, ControlCharacterSelectsTheMotion) {
    // Each record after a first one; the rest of the record follows the motion.
    struct Case {
        const char* record;
        const char* expected;
    };
    const Case cases[] = {
        {" ABC", "\r\nABC"}, {"0ABC", "\r\n\r\nABC"}, {"1ABC", "\r\n\f\r \rABC"},
        {"+ABC", "\rABC"},   {"=== X", "\r\n== X"},   {"", "\r\n"},
        {" ", "\r\n"},       {"1", "\r\n\f\r \r"},    {"9", "\r\n"},
    };
    for (const Case& c : cases) {
        Console console;
        console.record(" first");
        console.record(c.record);
        EXPECT_EQ(console.captured(), std::string("first") + c.expected) << '"' << c.record << '"';
    }
}

TEST(Console, FirstRecordRule) {
    struct Case {
        const char* record;
        const char* expected;
    };
    const Case cases[] = {
        {" ABC", "ABC"}, {"", ""}, {"xABC", "ABC"}, {"0ABC", "\r\nABC"}, {"1ABC", "\r\n\f\r \rABC"}, {"+ABC", "\rABC"},
    };
    for (const Case& c : cases) {
        Console console;
        console.raw("Deck? ");  // raw bytes are not a record
        console.record(c.record);
        EXPECT_EQ(console.captured(), std::string("Deck? ") + c.expected) << '"' << c.record << '"';
    }
}

TEST(Console, ReportGroupShowsAsLines) {
    Console console;
    write(console, Format("('1',/,/,/,29X,'BANNER',/)"), {});
    write(console, Format("(I6,F7.2)"), {std::int32_t{234567}, Single(1.5)});
    EXPECT_EQ(console.captured(), "\r\n\f\r \r\r\n\r\n\r\n" + std::string(28, ' ') + "BANNER\r\n\r\n34567   1.50");
}

TEST(ReportFile, EveryRecordEndsWithCrLf) {
    ReportFile file;
    write(file, Format("(I5,/,'x')"), {std::int32_t{42}});
    file.record("");
    EXPECT_EQ(file.captured(), "   42\r\nx\r\n\r\n");
    file.clear();
    EXPECT_EQ(file.captured(), "");
}

TEST(Units, WriteThroughToTheStream) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        ReportFile file(stream, "REPORT: cannot be written");
        const std::string line(100, 'z');
        for (int i = 0; i < 2000; ++i) file.record(line);  // passes the block size several times
        Console console(stream);
        console.record(" tail");
        console.flush();
    }  // the file flushes here
    std::rewind(stream);
    std::string all;
    char block[4096];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, stream)) > 0) all.append(block, got);
    std::fclose(stream);
    // the console's own flush came first; the report file's remainder at its end
    EXPECT_EQ(all.size(), 2000U * 102U + 4U);
    EXPECT_EQ(all.substr(all.size() - 102), std::string(100, 'z') + "\r\n");
    EXPECT_NE(all.find("tail"), std::string::npos);
}

TEST(Units, WriteErrorsAreReportedByFlushOnly) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    {
        ReportFile file(full, "REPORT: cannot be written");
        file.record("lost");
        try {
            file.flush();
            ADD_FAILURE() << "no error";
        } catch (const OutputError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("REPORT: cannot be written: ") + std::strerror(ENOSPC));
        }
        file.record("lost again");
    }  // the destructor swallows the second failure
    {
        Console console(full);
        console.record(" x");
    }
    std::fclose(full);
}

}  // namespace
}  // namespace talik
