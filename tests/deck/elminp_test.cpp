// Tests of ELMINP: installation, the revolution number, the listing as
// shown on the console, and the refusal of element sets that cannot be
// propagated.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format/console.hpp"
#include "deck/elminp.hpp"
#include "deck/element_records.hpp"
#include "orbit/install_elements.hpp"
#include "time/juldat.hpp"

namespace talik {
namespace {

const Single DTR = 0.017453292;

std::string ints(std::initializer_list<int> values, int width) {
    std::string s;
    for (int v : values) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%*d", width, v);
        s += buf;
    }
    return s;
}

// A ten-column field holding text, right-justified.
std::string f10(const std::string& text) { return std::string(10 - text.size(), ' ') + text; }

struct SetText {
    std::string epoch = ints({1995, 6, 15, 12, 0, 0, 12345}, 5);
    std::string elements = f10("6878.0") + f10("0.02") + f10("74.6") + f10("100.0") + f10("30.0") + f10("45.0");
    std::string rates = f10("0.0") + f10("0.0") + f10("0.0") + f10("14.0") + f10("999.0");

    // Two records ahead of the set, as in a whole deck.
    std::string deck() const {
        return "    6\n 1995 6 15 12 0 0   60  100    1\n" + epoch + "\n" + elements + "\n" + rates + "\n";
    }
};

struct Outcome {
    std::int32_t nrev = -999;
    ORBEL orbel;
    Console console;
};

// Reads the set from a deck positioned as the run set-up leaves it.
void run(const SetText& set, const DATIM& start, Outcome& r, std::int16_t iout = 6) {
    Deck deck("DECK", set.deck());
    deck.next_record();
    deck.next_record();
    ELMINP(start, r.nrev, deck, iout, r.console, r.orbel);
}

TEST(ELMINP, InstallsTheSetInThePropagatorsUnits) {
    SetText set;
    set.rates = f10("-0.1") + f10("-2.0") + f10("3.0") + f10("14.0");
    Outcome r;
    r.orbel.MMOT = 7.0;
    r.orbel.MMOTDT = 7.0;
    run(set, DATIM{1995, 6, 15, 12, 0, 0}, r);
    const ORBEL& el = r.orbel;
    EXPECT_EQ(el.EPOCH, (DATIM{1995, 6, 15, 12, 0, 0}));
    EXPECT_EQ(el.SMA, Single(6878.0));
    EXPECT_EQ(el.ECC, Single(0.02));
    EXPECT_EQ(el.INCL, Single(Single(74.6) * DTR));
    EXPECT_EQ(el.RAAN, Single(Single(100.0) * DTR));
    EXPECT_EQ(el.ARGP, Single(Single(30.0) * DTR));
    EXPECT_EQ(el.MANOM, Single(Single(45.0) * DTR));
    EXPECT_EQ(el.SMADT, Single(-0.1));
    EXPECT_EQ(el.RAANDT, Single(Single(-2.0) * DTR));
    EXPECT_EQ(el.ARGPDT, Single(Single(3.0) * DTR));
    EXPECT_EQ(el.MMOT, 0.0);
    EXPECT_EQ(el.MMOTDT, 0.0);
    EXPECT_EQ(el.EPOCHJ, 2449884.0);
    EXPECT_EQ(el.ORBSET, 0);
}

TEST(ELMINP, ZeroRatesStayZeroForThePropagatorToDerive) {
    Outcome r;
    run(SetText{}, DATIM{1995, 6, 15, 12, 0, 0}, r);
    EXPECT_EQ(r.orbel.RAANDT, 0.0);
    EXPECT_EQ(r.orbel.ARGPDT, 0.0);
}

TEST(ELMINP, RevolutionNumberAtTheStart) {
    struct Case {
        const char* what;
        std::string argp, manom, raandt, argpdt, mmot;
        DATIM start;
        std::int32_t nrev;
    };
    const Case cases[] = {
        {"start at the epoch", "30.0", "45.0", "0.0", "0.0", "14.0", {1995, 6, 15, 12, 0, 0}, 12345},
        {"negative argument of latitude", "-30.0", "10.0", "0.0", "0.0", "14.0", {1995, 6, 15, 12, 0, 0}, 12344},
        {"one day later", "0.0", "0.0", "0.0", "0.0", "14.0", {1995, 6, 16, 12, 0, 0}, 12359},
        {"half a day earlier", "0.0", "0.0", "0.0", "0.0", "14.0", {1995, 6, 15, 0, 0, 0}, 12338},
        {"a fraction carried over", "0.0", "270.0", "0.0", "0.0", "14.0", {1995, 6, 15, 15, 0, 0}, 12347},
        // The node falls back 36 degrees a day and the perigee goes on 36:
        // a fifth of a revolution more each day.
        {"node and perigee turning", "0.0", "0.0", "-36.0", "36.0", "14.0", {1995, 6, 20, 12, 0, 0}, 12416},
        {"minutes and seconds", "0.0", "0.0", "0.0", "0.0", "1440.0", {1995, 6, 15, 12, 3, 30}, 12348},
    };
    for (const Case& c : cases) {
        SetText set;
        set.elements = f10("6878.0") + f10("0.02") + f10("74.6") + f10("100.0") + f10(c.argp) + f10(c.manom);
        set.rates = f10("0.0") + f10(c.raandt) + f10(c.argpdt) + f10(c.mmot);
        Outcome r;
        run(set, c.start, r);
        EXPECT_EQ(r.nrev, c.nrev) << c.what;
    }
}

TEST(ELMINP, TheFifthRateFieldIsNeverRead) {
    SetText set;
    set.rates = f10("0.0") + f10("0.0") + f10("0.0") + f10("14.0") + "#junk$%&*!" + "more junk";
    Outcome r;
    EXPECT_NO_THROW(run(set, DATIM{1995, 6, 15, 12, 0, 0}, r));
    EXPECT_EQ(r.nrev, 12345);
}

// The console shows each record without its control column, a blank
// control starting a new line (the very first record: no motion at all).
std::string shown(const std::vector<std::string>& records) {
    std::string s;
    bool first = true;
    for (const std::string& rec : records) {
        if (!first) s += "\r\n";
        first = false;
        if (rec.size() > 1) s += rec.substr(1);
    }
    return s;
}

TEST(ELMINP, ListingOnTheConsole) {
    SetText set;
    set.elements = f10("6878.137") + f10("0.0012") + f10("98.25") + f10("359.999") + f10("-30.5") + f10("0.0");
    set.rates = f10("-0.125") + f10("-2.039889") + f10("0.0") + f10("14.75");
    Outcome r;
    run(set, DATIM{1995, 6, 15, 12, 0, 0}, r);
    const std::string x19(19, ' ');
    const std::vector<std::string> records = {
        x19 + "EPOCH (UT):" + std::string(30, ' ') + "1995/ 6/15" + std::string(5, ' ') + "12: 0: 0",
        x19 + "REVOLUTION NUMBER:" + std::string(23, ' ') + "12345",
        x19 + "SEMI-MAJOR-AXIS (KM):" + std::string(20, ' ') + "  6878.137",
        x19 + "ECCENTRICITY:" + std::string(28, ' ') + "   .001200",
        x19 + "INCLINATION (DEG):" + std::string(23, ' ') + "    98.250",
        x19 + "R.A. OF ASCENDING NODE (DEG):" + std::string(12, ' ') + "   359.999",
        x19 + "ARGUMENT OF PERIGEE (DEG):" + std::string(14, ' ') + "   -30.500",
        x19 + "MEAN ANOMALY (DEG):" + std::string(29, ' ') + "      .000",
        "",
        x19 + "DOT SEMI-MAJOR-AXIS (KM/DAY):" + std::string(19, ' ') + "     -.125",
        x19 + "DOT R.A. OF ASCENDING NODE (DEG/DAY):" + std::string(11, ' ') + " -2.039889",
        x19 + "DOT ARGUMENT OF PERIGEE (DEG/DAY):" + std::string(14, ' ') + "   .000000",
        "",
        x19 + "MEAN MOTION (REV/DAY):" + std::string(26, ' ') + " 14.750000",
        "",
        "",
    };
    EXPECT_EQ(r.console.captured(), shown(records));
}

TEST(ELMINP, NothingOnTheConsoleForTheReportFile) {
    Outcome r;
    run(SetText{}, DATIM{1995, 6, 15, 12, 0, 0}, r, 8);
    EXPECT_EQ(r.console.captured(), "");
    EXPECT_EQ(r.nrev, 12345);
}

std::string date_text(std::chrono::sys_days d) {
    const std::chrono::year_month_day ymd{d};
    return ints({static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day()))},
                5);
}

TEST(ELMINP, RefusesSetsThatCannotBePropagated) {
    const DATIM start{1995, 6, 15, 12, 0, 0};
    struct Case {
        std::string epoch, elements, rates;
        const char* message;
    };
    const SetText good;
    const std::string el_rest = f10("74.6") + f10("100.0") + f10("30.0") + f10("45.0");
    const Case cases[] = {
        {ints({1995, 13, 15, 12, 0, 0, 1}, 5), good.elements, good.rates,
         "DECK: record 3, columns 6-10: month 13 is outside 1 to 12"},
        {ints({1850, 6, 15, 12, 0, 0, 1}, 5), good.elements, good.rates,
         "DECK: record 3, columns 1-5: year 1850 is outside 1901 to 9999"},
        {ints({1995, 2, 29, 12, 0, 0, 1}, 5), good.elements, good.rates,
         "DECK: record 3, columns 11-15: day 29 is outside 1 to 28"},
        {ints({1995, 6, 15, 12, 0, 60, 1}, 5), good.elements, good.rates,
         "DECK: record 3, columns 26-30: second 60 is outside 0 to 59"},
        {good.epoch, f10("6878.0") + f10("1.0") + el_rest, good.rates,
         "DECK: record 4, columns 11-20: eccentricity 1 is outside 0 <= e < 1"},
        {good.epoch, f10("6878.0") + f10("1.5") + el_rest, good.rates,
         "DECK: record 4, columns 11-20: eccentricity 1.5 is outside 0 <= e < 1"},
        {good.epoch, f10("6878.0") + f10("-0.1") + el_rest, good.rates,
         "DECK: record 4, columns 11-20: eccentricity -0.1 is outside 0 <= e < 1"},
        {good.epoch, f10("-7000.0") + f10("0.02") + el_rest, good.rates,
         "DECK: record 4, columns 1-10: semi-major axis -7000 must be positive"},
        {good.epoch, f10("0.0") + f10("0.02") + el_rest, good.rates,
         "DECK: record 4, columns 1-10: semi-major axis 0 must be positive"},
        // Values beyond the single range are refused by the reader or here.
        {good.epoch, f10("6878.0") + f10("0.02") + f10("1E50") + f10("100.0") + f10("30.0") + f10("45.0"), good.rates,
         "DECK: record 4, columns 21-30: "},
        {good.epoch, good.elements, f10("0.0") + f10("0.0") + f10("-1E40") + f10("14.0"),
         "DECK: record 5, columns 21-30: "},
        {ints({1995, 6, 14, 12, 0, 0, 1}, 5), good.elements, f10("0.0") + f10("0.0") + f10("0.0") + f10("1E30"),
         "DECK: record 5, columns 31-40: mean motion 1e+30 gives a revolution number at the start beyond the 32-bit "
         "range"},
    };
    for (const Case& c : cases) {
        SetText set;
        set.epoch = c.epoch;
        set.elements = c.elements;
        set.rates = c.rates;
        Outcome r;
        const ORBEL before = r.orbel;
        try {
            run(set, start, r);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const InputError& e) {
            const std::string message = c.message;
            if (message.back() == ' ') {
                EXPECT_EQ(std::string(e.what()).substr(0, message.size()), message);
            } else {
                EXPECT_EQ(std::string(e.what()), message);
            }
        }
        EXPECT_EQ(r.console.captured(), "") << c.message;
        EXPECT_EQ(r.orbel.SMA, before.SMA) << c.message;
        EXPECT_EQ(r.orbel.EPOCHJ, before.EPOCHJ) << c.message;
    }
}

// The day count between epoch and start is a 16-bit value.
TEST(ELMINP, EpochAtMost32767DaysFromTheStart) {
    using namespace std::chrono;
    const sys_days start_day = year{2040} / March / 1;
    const DATIM start{2040, 3, 1, 0, 0, 0};
    struct Case {
        int offset;  // epoch minus start, days
        const char* message;
    };
    const Case cases[] = {
        {-32767, nullptr},
        {32767, nullptr},
        {-32768, "DECK: record 3, columns 1-5: the epoch is 32768 days from the start; at most 32767 are allowed"},
        {-40000, "DECK: record 3, columns 1-5: the epoch is 40000 days from the start; at most 32767 are allowed"},
        {40000, "DECK: record 3, columns 1-5: the epoch is 40000 days from the start; at most 32767 are allowed"},
    };
    for (const Case& c : cases) {
        SetText set;
        set.epoch = date_text(start_day + days{c.offset}) + ints({0, 0, 0, 100}, 5);
        set.rates = f10("0.0") + f10("0.0") + f10("0.0") + f10("0.01");
        Outcome r;
        if (c.message == nullptr) {
            EXPECT_NO_THROW(run(set, start, r)) << c.offset;
            EXPECT_EQ(r.orbel.EPOCHJ - 2466215.0, c.offset);
        } else {
            try {
                run(set, start, r);
                ADD_FAILURE() << "accepted " << c.offset;
            } catch (const InputError& e) {
                EXPECT_EQ(std::string(e.what()), c.message);
            }
        }
    }
}

}  // namespace
}  // namespace talik
