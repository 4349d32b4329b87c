// Tests of the limits on the element set: the refusals ELMINP adds for
// orbits the program cannot follow, and check_decay over a run.
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "format/console.hpp"
#include "orbit/check_elements.hpp"
#include "deck/elminp.hpp"
#include "deck/element_records.hpp"
#include "orbit/install_elements.hpp"
#include "time/addtim.hpp"
#include "time/juldat.hpp"

namespace talik {
namespace {

std::string f10(const std::string& text) { return std::string(10 - text.size(), ' ') + text; }

struct Set {
    std::string sma = "6878.0", ecc = "0.001";
    std::string smadt = "0.0", raandt = "0.0", argpdt = "0.0", mmot = "15.22";

    std::string deck() const {
        return " 8\n 1995    6   15    0    0    0   60 1440    6\n 1995    6   14   12    0    012345\n" + f10(sma) +
               f10(ecc) + f10("51.6") + f10("100.0") + f10("30.0") + f10("45.0") + "\n" + f10(smadt) + f10(raandt) +
               f10(argpdt) + f10(mmot) + "\n";
    }
};

const DATIM START{1995, 6, 15, 0, 0, 0};

// The refusal's text, or "" when the set is taken.
std::string refusal(const Set& set, ORBEL* out = nullptr) {
    Deck deck("DECK", set.deck());
    deck.next_record();
    deck.next_record();
    Console console;
    ORBEL orbel;
    std::int32_t nrev = 0;
    try {
        ELMINP(START, nrev, deck, 8, console, orbel);
    } catch (const InputError& e) {
        return e.what();
    }
    if (out != nullptr) *out = orbel;
    return "";
}

TEST(ElementLimits, PerigeeAtLeast100KmFromTheCentre) {
    struct Case {
        const char* sma;
        const char* ecc;
        bool taken;
    };
    // 400 * (1 - 0.75) is exactly 100 in binary.
    const Case cases[] = {
        {"400.0", "0.75", true}, {"399.99", "0.75", false},    {"100.0", "0.0", true},
        {"99.99", "0.0", false}, {"6400.0", "0.01", true},     {"7000.0", "0.99", false},
        {"1E-30", "0.0", false}, {"999999.0", "0.9999", true}, {"6878.0", "0.99999994", false},
    };
    for (const Case& c : cases) {
        Set set;
        set.sma = c.sma;
        set.ecc = c.ecc;
        const std::string why = refusal(set);
        EXPECT_EQ(why.empty(), c.taken) << c.sma << " " << c.ecc << ": " << why;
        if (!c.taken) {
            EXPECT_EQ(why.rfind("DECK: record 4, columns 1-20: the perigee lies ", 0), 0U) << why;
            EXPECT_NE(why.find("it must lie at least 100 km from it"), std::string::npos) << why;
        }
    }
}

TEST(ElementLimits, SemiMajorAxisBelowAMillionKm) {
    Set set;
    set.sma = "999999.0";
    EXPECT_EQ(refusal(set), "");
    set.sma = "1000000.0";
    EXPECT_EQ(refusal(set),
              "DECK: record 4, columns 1-10: semi-major axis 1e+06 km is 1000000 km or more, beyond any orbit of the "
              "Earth");
}

TEST(ElementLimits, RatesWithinAMillionADay) {
    struct Case {
        int field;  // 0 SMADT, 1 RAANDT, 2 ARGPDT
        const char* value;
        const char* refusal;
    };
    const Case cases[] = {
        {0, "1E6", ""},
        {0, "-1E6", ""},
        {1, "1E6", ""},
        {2, "-1E6", ""},
        {0, "1.000001E6",
         "DECK: record 5, columns 1-10: rate of the semi-major axis 1000001 km/day is outside -1000000 to 1000000 "
         "km/day"},
        {1, "-2E6",
         "DECK: record 5, columns 11-20: rate of the right ascension of the ascending node -2e+06 deg/day is outside "
         "-1000000 to 1000000 deg/day"},
        {2, "3E38",
         "DECK: record 5, columns 21-30: rate of the argument of perigee 3e+38 deg/day is outside -1000000 to 1000000 "
         "deg/day"},
    };
    for (const Case& c : cases) {
        Set set;
        (c.field == 0 ? set.smadt : c.field == 1 ? set.raandt : set.argpdt) = c.value;
        EXPECT_EQ(refusal(set), c.refusal) << c.value;
    }
}

// The revolution number at the start leaves room for one more per step of
// the longest run (99999 steps) within 32 bits.
TEST(ElementLimits, RevolutionNumberLeavesRoomToCount) {
    // Half a day from the epoch: NREV = mmot / 2 + 12345 + the fraction.
    Set set;
    set.mmot = "4.29E9";  // about 2145000000: taken
    ORBEL orbel;
    EXPECT_EQ(refusal(set, &orbel), "");
    set.mmot = "4.294843E9";  // within 99999 of the limit
    EXPECT_EQ(refusal(set),
              "DECK: record 5, columns 31-40: mean motion 4294842880 gives a revolution number at the start beyond "
              "the 32-bit range");
}

// check_decay against the axis worked out by hand: a run from start to
// start + steps x step, the epoch half a day before the start.
TEST(CheckDecay, LooksAtBothEndsOfTheRun) {
    ORBEL el;
    el.EPOCH = {1995, 6, 14, 12, 0, 0};
    Single gst;
    JULDAT(el.EPOCHJ, gst, el.EPOCH);
    el.ECC = 0.5;
    struct Case {
        double sma, smadt;
        std::int32_t steps;
        std::int16_t step;  // s
        const char* problem;
    };
    const Case cases[] = {
        {7000.0, 0.0, 1440, 60, ""},
        {7000.0, -100.0, 1440, 60, ""},
        // a(first) = 7000 - 13800 * 0.5 = 100: perigee 50
        {7000.0, -13800.0, 0, 60,
         "rate of the semi-major axis -13800 km/day brings the perigee to 50.0 km from the Earth's centre by the "
         "first step; it must stay at least 100 km from it"},
        // a(last) = 7000 - 4000 * 1.5 = 1000: perigee 500, taken; a day more and it is gone
        {7000.0, -4000.0, 1440, 60, ""},
        {7000.0, -4000.0, 2880, 60,
         "rate of the semi-major axis -4000 km/day brings the semi-major axis to -3000.0 km by the last step; the "
         "perigee must stay at least 100 km from the Earth's centre"},
        // backward in time a falling axis grows
        {7000.0, -10000.0, 144000, -60,
         "rate of the semi-major axis -10000 km/day brings the semi-major axis to 1002000.0 km by the last step; it "
         "must stay below 1000000 km"},
        // a(last) = 7000 + 10000 * (0.5 - 1.19) = 100: perigee 50
        {7000.0, 10000.0, 2142, -48,
         "rate of the semi-major axis 10000 km/day brings the perigee to 50.0 km from the Earth's centre by the "
         "last step; it must stay at least 100 km from it"},
    };
    for (const Case& c : cases) {
        el.SMA = c.sma;
        el.SMADT = c.smadt;
        std::string problem;
        try {
            check_decay(el, START, after_steps(START, c.steps, c.step), "DECK");
        } catch (const InputError& e) {
            problem = e.what();
        }
        EXPECT_EQ(problem, c.problem[0] == 0 ? "" : "DECK: " + std::string(c.problem)) << c.smadt << " " << c.steps;
    }
}

}  // namespace
}  // namespace talik
