// Tests of check_date: the first bad field, its place and its description.
#include <gtest/gtest.h>

#include <string>

#include "time/check_date.hpp"

namespace talik {
namespace {

TEST(CheckDate, NamesTheFirstBadField) {
    struct Case {
        DATIM dt;
        const char* problem;
        int field;
    };
    const Case cases[] = {
        {{1995, 6, 15, 12, 0, 0}, "", -1},
        {{1901, 1, 1, 0, 0, 0}, "", -1},
        {{9999, 12, 31, 23, 59, 59}, "", -1},
        {{1996, 2, 29, 0, 0, 0}, "", -1},
        {{2100, 2, 29, 0, 0, 0}, "", -1},
        {{1850, 1, 1, 0, 0, 0}, "year 1850 is outside 1901 to 9999", 0},
        {{1900, 13, 40, 0, 0, 0}, "year 1900 is outside 1901 to 9999", 0},
        {{10000, 1, 1, 0, 0, 0}, "year 10000 is outside 1901 to 9999", 0},
        {{1995, 13, 1, 0, 0, 0}, "month 13 is outside 1 to 12", 1},
        {{1995, 0, 1, 0, 0, 0}, "month 0 is outside 1 to 12", 1},
        {{1995, 1, 32, 0, 0, 0}, "day 32 is outside 1 to 31", 2},
        {{1995, 1, 0, 0, 0, 0}, "day 0 is outside 1 to 31", 2},
        {{1995, 2, 29, 0, 0, 0}, "day 29 is outside 1 to 28", 2},
        {{1996, 2, 30, 0, 0, 0}, "day 30 is outside 1 to 29", 2},
        {{1995, 4, 31, 0, 0, 0}, "day 31 is outside 1 to 30", 2},
        {{1995, 4, 30, 24, 0, 0}, "hour 24 is outside 0 to 23", 3},
        {{1995, 4, 30, -1, 0, 0}, "hour -1 is outside 0 to 23", 3},
        {{1995, 4, 30, 23, 60, 0}, "minute 60 is outside 0 to 59", 4},
        {{1995, 4, 30, 23, 59, 60}, "second 60 is outside 0 to 59", 5},
        {{1995, 4, 30, 23, 59, -5}, "second -5 is outside 0 to 59", 5},
    };
    for (const Case& c : cases) {
        std::string message;
        try {
            check_date(c.dt, [](int field) { return "field " + std::to_string(field); });
        } catch (const InputError& e) {
            message = e.what();
        }
        const std::string expected = c.field < 0 ? ""
                                                 : "field " + std::to_string(c.field) + ": " + std::string(c.problem);
        EXPECT_EQ(message, expected);
    }
}

}  // namespace
}  // namespace talik
