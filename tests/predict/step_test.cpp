// The prediction step's shortcuts against the plain computation: the
// look angles and the latitude worked out at every step, for every station.

#include <gtest/gtest.h>

#include "predict/look_angles.hpp"
#include "predict/step.hpp"
#include "time/model_calendar.hpp"

namespace talik {
namespace {

ElementSet orbit(double sma, double ecc, double incl) {
    ElementSet s;
    s.EPOCH = {1995, 6, 14, 12, 0, 0};
    s.NREV0 = 100;
    s.SMA = sma;
    s.ECC = ecc;
    s.INCL = incl;
    s.RAAN = 100.0;
    s.ARGP = 30.0;
    s.MANOM = 45.0;
    s.MMOTION = 15.0;
    return s;
}

// Every step of a day at 30 s: what is examined, what is above the horizon
// and the marks are those of the plain step (ALTLAT's latitude and
// look_angles at every step); where a line is written, the height and the
// latitude are ALTLAT's; elsewhere the latitude's sign is.
TEST(PredictStep, ShortcutsChangeNothingThatIsRead) {
    const ElementSet sets[] = {orbit(6878.0, 0.001, 51.6), orbit(7200.0, 0.05, 98.0), orbit(12000.0, 0.3, 63.4),
                               orbit(42164.0, 0.0002, 0.05), orbit(6600.0, 0.001, 20.0)};
    const DATIM start = {1995, 6, 15, 0, 0, 0};
    int above = 0;
    int closed = 0;
    for (const ElementSet& set : sets) {
        for (int ista = 1; ista <= STATAB::COUNT; ++ista) {
            std::int32_t nrev = 0;
            RunState lean = prepare_run(set, prepare_station(ista), start, nrev);
            RunState full = lean;
            full.every_subpoint = true;
            for (std::int64_t t = model_seconds(start), k = 0; k < 2880; ++k, t += 30) {
                const DATIM dt = model_datim(t);
                const Step s = predict_step(lean, dt);
                const Step f = predict_step(full, dt);
                ASSERT_TRUE(f.located);
                const bool plain_examined = examined(full.station, f.GLAT, f.GLON);
                const Look plain = look_angles(full.station, f.R, f.DECL, f.GLON * DEGRAD);
                ASSERT_EQ(s.examined, plain_examined) << ista << " " << k;
                ASSERT_EQ(s.look.above_horizon, plain_examined && plain.above_horizon) << ista << " " << k;
                ASSERT_EQ(s.look.MARK2, plain_examined ? plain.MARK2 : "  ") << ista << " " << k;
                ASSERT_EQ(s.GLAT < 0.0, f.GLAT < 0.0) << ista << " " << k;
                if (s.look.above_horizon) {
                    ++above;
                    EXPECT_EQ(s.HGT, f.HGT);
                    EXPECT_EQ(s.GLAT, f.GLAT);
                    EXPECT_EQ(s.look.ELEV, plain.ELEV);
                    EXPECT_EQ(s.ANTMK, f.ANTMK);
                    EXPECT_EQ(s.SHADMK, f.SHADMK);
                } else if (s.examined && s.look.CZ == Look{}.CZ) {
                    ++closed;
                }
            }
        }
    }
    EXPECT_GT(above, 1000);
    EXPECT_GT(closed, 10000);  // the horizon test spares the look most of the time
}

}  // namespace
}  // namespace talik
