// The conversion of published element sets: one deck from every encoding of
// a set, a deck the program's own reader reads back to the same set, the
// report's mean motion and its rate equal to the set's to the printed
// digit, and the epoch on the nearest whole second.
#include <gtest/gtest.h>

#include <string>

#include "elements/convert.hpp"
#include "format/deck.hpp"
#include "format/format.hpp"
#include "numeric/constants.hpp"
#include "orbit/install_elements.hpp"
#include "orbit/orbit_setup.hpp"
#include "deck/deck_text.hpp"

namespace talik {
namespace {

const std::string DATA = TALIK_SOURCE_DIR "/tests/elements/data/";

MeanElements first_set(const std::string& file) {
    const ElementSetsRead read = read_element_file(DATA + file);
    EXPECT_FALSE(read.sets.empty()) << file;
    return read.sets.front();
}

std::string deck_of(const MeanElements& m) {
    RunDescription d;
    d.IOUT = 6;
    d.line = {convert_elements(m).set.EPOCH, 60, 1440, 6};
    d.elements = convert_elements(m).set;
    return deck_text(d);
}

TEST(ConvertElements, EveryEncodingGivesTheSameDeck) {
    const std::string want = deck_of(first_set("vanguard.tle"));
    for (const char* file : {"vanguard.3le", "vanguard.kvn", "vanguard.json", "sample_omm.xml", "sample_omm.csv"}) {
        EXPECT_EQ(deck_of(first_set(file)), want) << file;
    }
}

// Over the verification sets: the deck reads back to the same single values,
// and the propagator's mean motion and its rate print as the set's own.
TEST(ConvertElements, DecksReadBackAndTheMeanMotionPrintsAsGiven) {
    const Format F106("(F10.6)");
    const Format F105("(F10.5)");
    for (const char* file : {"vanguard.tle", "sample_omm.csv"}) {
        const MeanElements m = first_set(file);
        const Converted c = convert_elements(m);
        Deck deck("deck", deck_of(m));
        const RunDescription back = read_run_description(deck);
        EXPECT_EQ(back.elements.reals(), c.set.reals()) << file;
        EXPECT_EQ(back.elements.EPOCH, c.set.EPOCH);

        ORBEL orbel;
        install_element_set(c.set, c.set.EPOCH, orbel);
        setup_orbit(orbel);
        EXPECT_EQ(format_records(F106, {Single(orbel.MMOT / DEGRAD)}),
                  format_records(F106, {m.mean_motion * 360.0 / 1440.0}));
        EXPECT_EQ(format_records(F105, {Single(mean_motion_rate(orbel.SMA, orbel.SMADT) / DEGRAD)}),
                  format_records(F105, {2.0 * m.mean_motion_dot * 360.0 / 1440.0}));
    }
}

TEST(ConvertElements, EpochOnTheNearestSecondWithTheAnglesMoved) {
    MeanElements m = first_set("vanguard.tle");  // 04:52:48.472320
    const Converted c = convert_elements(m);
    EXPECT_EQ(c.set.EPOCH, (DATIM{2020, 10, 13, 4, 52, 48}));
    // 0.47232 s back at 10.85 rev/day.
    EXPECT_NEAR(c.set.MANOM, m.mean_anomaly_deg - 0.47232 * m.mean_motion * 360.0 / 86400.0, 2e-5);
    m.epoch_us += 27679;  // 48.499999: still second 48
    EXPECT_EQ(convert_elements(m).set.EPOCH[SECOND], 48);
    m.epoch_us += 1;  // 48.5: second 49
    EXPECT_EQ(convert_elements(m).set.EPOCH[SECOND], 49);
}

TEST(ConvertElements, RefusesWhatTheProgramRefuses) {
    MeanElements m = first_set("vanguard.tle");
    m.mean_motion = 1.0e6;  // an axis of 18 km: the perigee near the centre
    EXPECT_THROW(convert_elements(m), InputError);
    m = first_set("vanguard.tle");
    m.epoch_us = -2500000000LL * 1000000;  // 1890
    try {
        convert_elements(m);
        ADD_FAILURE() << "taken";
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(m.source + ", epoch: year 1890", 0), 0U) << e.what();
    }
}

}  // namespace
}  // namespace talik
