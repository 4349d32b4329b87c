// run.cpp - the main program: run set-up, prediction loop, end of run.
//
// Set-up reads the output choice and the run line, connects the report,
// prepares the station, prints the banner, builds the Sun table, reads the
// element set, prints the run header and makes the first propagation.  The
// loop then, once per step: propagates, finds the Sun and the shadow, the
// sub-satellite point and height, counts revolutions at northward equator
// crossings, works out the look angles from the station when its pre-filter
// passes, starts pages as they fill, writes a line for each step with the
// satellite above the horizon and advances the date-time by the step.

#include "app/run.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/pending_file.hpp"
#include "app/report.hpp"
#include "app/stations.hpp"
#include "numeric/single.hpp"
#include "geometry/altlat.hpp"
#include "geometry/aspect.hpp"
#include "geometry/shadow.hpp"
#include "geometry/sphrot.hpp"
#include "geometry/sun.hpp"
#include "orbit/arcang.hpp"
#include "orbit/orbit.hpp"
#include "time/calendar.hpp"
#include "time/datecheck.hpp"
#include "time/datim.hpp"
#include "time/elminp.hpp"
#include "time/juldat.hpp"
#include "time/orbel.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

namespace {

const Single TINY = 1.0E-10;

// Value of ELEV that means "not above the horizon at this step".
const Single ELEV_NONE = -10.0;

// Records written without items.
constexpr std::span<const Value> NO_ITEMS{};

constexpr std::int16_t IOUT_CONSOLE = 6;
constexpr std::int16_t IOUT_FILE = 8;

// The run line's values that no step could work with: a station that does
// not exist, a date out of range, a run that leaves the Sun table's window.
void check_run_line(const Deck& deck, const DATIM& dtstrt, std::int16_t istep, std::int32_t ncalc, std::int16_t ista) {
    int field = 0;
    const std::string problem = date_problem(dtstrt, field);
    if (!problem.empty()) {
        throw InputError(deck.at(deck.records_read(), 5 * field + 1, 5 * field + 5) + problem);
    }
    if (ista < 1 || ista > STATAB::COUNT) {
        throw InputError(deck.at(deck.records_read(), 41, 45) + "station " + std::to_string(ista) + " is outside 1 to 8");
    }
    if (ncalc <= 0) {
        return;
    }
    // Whole days from 1 January of the start year to the last step.
    const DATIM jan1{dtstrt[YEAR], 1, 1, 0, 0, 0};
    double jd_jan1 = 0.0;
    double jd_start = 0.0;
    Single gst;
    JULDAT(jd_jan1, gst, jan1);
    JULDAT(jd_start, gst, dtstrt);
    const std::int64_t start_seconds = static_cast<std::int64_t>(jd_start - jd_jan1) * 86400 +
                                       dtstrt[HOUR] * 3600 + dtstrt[MINUTE] * 60 + dtstrt[SECOND];
    const std::int64_t last_seconds = start_seconds + static_cast<std::int64_t>(ncalc - 1) * istep;
    std::int64_t last_day = last_seconds / 86400;
    if (last_seconds % 86400 < 0) {
        --last_day;
    }
    if (last_day < SUN_FIRST_DAY || last_day > SUN_LAST_DAY) {
        const std::string where = last_day < 0 ? std::to_string(-last_day) + " days before" : std::to_string(last_day) + " days after";
        throw InputError(deck.at(deck.records_read(), 31, 40) + "the last step falls " + where + " 1 January " +
                         std::to_string(dtstrt[YEAR]) + "; every step must lie from " + std::to_string(-SUN_FIRST_DAY) +
                         " days before to " + std::to_string(SUN_LAST_DAY) + " days after 1 January of the start year");
    }
    // The report's year fields hold four digits.
    if (dtstrt[YEAR] == 9999 && last_day >= 365) {
        throw InputError(deck.at(deck.records_read(), 31, 40) + "the last step falls in the year 10000; every step must lie in 9999 or before");
    }
}

// True when the position a step reports from is made of numbers: the
// values are bounded for any element set that is accepted, so their product
// is finite exactly when each of them is.
bool finite_step(Single R, Single DECL, Single RA, Single HGT, Single PHIF) {
    return std::isfinite(R * DECL * RA * HGT * PHIF);
}

// "1995/06/15 00:53:00"
std::string datim_text(const DATIM& dt) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", dt[YEAR], dt[MONTH], dt[DAY], dt[HOUR],
                  dt[MINUTE], dt[SECOND]);
    return text;
}

// Elevation angle from the zenith angle's cosine CZ (minus the sine of the
// elevation).
Single zenith_angle(Single CZ) {
    if (CZ == 0.0) {
        return PI / 2.0;  // the limit of the formula; no line is written then
    }
    // mended: rounding can put CZ a hair below -1 at the zenith; the square
    // root's argument is then taken as 0, which gives the zenith itself.
    double s = 1.0 - CZ * CZ;
    if (s < 0.0) {
        s = 0.0;
    }
    Single ZETA = std::atan(std::sqrt(s) / CZ);
    if (ZETA <= 0.0) {
        ZETA = ZETA + PI;
    }
    return ZETA;
}

// Earth radius of the range and elevation formulas, with the two
// quantities derived from it at start.
struct Earth {
    Single RE = EARTH_RADIUS;
    Single RESQ = RE * RE;
    Single RE2 = RE * 2.0;
};

// The chosen row of the station table with its derived values.
struct Station {
    Single STLAT;   // degrees
    Single STLON;   // degrees east
    Single STCLAT;  // cosine of the latitude
    Single STSLAT;  // sine of the latitude
    Single STLONR;  // longitude, rad
    StationFilter filter;
    std::string_view MRKLO;
    std::string_view MRKHI;
};

Station prepare_station(int ista) {
    Station s;
    s.STLAT = STATAB::STLAT(ista);
    s.STLON = STATAB::STLON(ista);
    s.STCLAT = std::cos(s.STLAT * DEGRAD);
    s.STSLAT = std::sin(s.STLAT * DEGRAD);
    s.STLONR = s.STLON * DEGRAD;
    s.filter = STATAB::filter(ista);
    s.MRKLO = STATAB::mrklo(ista);
    s.MRKHI = STATAB::mrkhi(ista);
    return s;
}

// What the station sees at one step; the defaults mean "not above the
// horizon" (or not examined).
struct Look {
    bool above_horizon = false;  // at or above: CZ not positive
    std::string_view MARK2 = "  ";
    Single RANGE = 9999.0;
    Single ELEV = ELEV_NONE;
    Single AZIM = -999.99;
};

// Slant range, visibility mark, elevation and azimuth of the satellite at
// distance R (km) and declination DECL (rad) over east longitude GLONR
// (rad), seen from the station on a sphere of radius RE.
Look look_angles(const Station& st, Single R, Single DECL, Single GLONR, const Earth& earth) {
    Look look;
    const Single SDECL = std::sin(DECL);
    const Single CDECL = std::cos(DECL);
    Single CARC;
    Single SARC;
    ARCANG(st.STSLAT, SDECL, st.STCLAT, CDECL, GLONR - st.STLONR, CARC, SARC);
    const Single RHOSQ = R * R + earth.RESQ - earth.RE2 * CARC * R;
    look.RANGE = std::sqrt(RHOSQ);
    const Single CZ = ((earth.RESQ + RHOSQ) - R * R) / earth.RE2 / look.RANGE;
    if (CZ > 0.0) {
        return look;  // below the horizon; the range is never printed
    }
    look.above_horizon = true;
    if (CZ < 0.0) {
        look.MARK2 = st.MRKLO;
    }
    if (CZ < CZHIGH) {
        look.MARK2 = st.MRKHI;
    }
    const Single ZETA = zenith_angle(CZ);

    Single AZR;
    if (std::fabs(SARC) < TINY) {
        AZR = 0.0;
    } else {
        const Single CAZ = (SDECL - st.STSLAT * CARC) / st.STCLAT / SARC;
        if (std::fabs(CAZ) < TINY) {
            AZR = PI / 2.0;
            if (st.STLONR > GLONR) {
                AZR = AZR + PI;
            }
        } else {
            const Single SAZ = std::sin(GLONR - st.STLONR) * CDECL / SARC;
            AZR = std::atan(SAZ / CAZ);
            if (CAZ < 0.0) {
                AZR = AZR + PI;
            }
        }
    }
    look.ELEV = (ZETA - PI / 2.0) / DEGRAD;
    look.AZIM = AZR / DEGRAD;
    if (look.AZIM < 0.0) {
        look.AZIM = look.AZIM + 360.0;
    }
    return look;
}

}  // namespace

void run(Deck& deck, Console& console, const std::string& report_path) {
    const Earth earth;

    std::int16_t IOUT = 0;
    {
        static const Format FMTOUT("(i2)");
        read(deck, FMTOUT, {&IOUT});
    }

    std::unique_ptr<PendingFile> file;
    std::unique_ptr<ReportFile> report_file;
    if (IOUT == IOUT_FILE) {
        std::string reason;
        file = PendingFile::create(report_path, reason);
        if (!file) {
            write(console, report::FMTA(), {report::OPEN_ERROR});
            console.flush();
            // mended: the open failure ended the run with status 0, which a
            // batch caller takes for success; it is now an error.
            throw RunError(reason);
        }
        report_file = std::make_unique<ReportFile>(file->stream());
    }

    DATIM DTSTRT{};
    std::int16_t ISTEP = 0;
    std::int32_t NCALC = 0;
    std::int16_t ISTA = 0;
    {
        static const Format FMTRLN("(16I5)");
        read(deck, FMTRLN,
             {&DTSTRT[0], &DTSTRT[1], &DTSTRT[2], &DTSTRT[3], &DTSTRT[4], &DTSTRT[5], &ISTEP, &NCALC, &ISTA});
    }
    // mended: station, dates and the Sun table's window were not checked; a
    // bad value read outside the tables.  Refused before anything is shown.
    check_run_line(deck, DTSTRT, ISTEP, NCALC, ISTA);

    MONLEN monlen;
    MONTAB(DTSTRT, monlen);
    DATIM DTNOW = DTSTRT;

    const Station station = prepare_station(ISTA);

    ORBEL orbel;
    orbel.ORBSET = 0;

    const bool to_console = IOUT == IOUT_CONSOLE;
    const bool to_file = IOUT == IOUT_FILE;
    if (to_console) {
        write(console, report::FMTBAN(), NO_ITEMS);
    }

    SUNCOM suncom;
    SUNTAB(DTSTRT[YEAR], suncom, console);

    std::int32_t NREV = 0;
    ELMINP(DTNOW, NREV, deck, IOUT, console, orbel);
    if (NCALC > 0) {
        // mended: a decay that takes the orbit down to the Earth's centre
        // within the run left no position to report; refused before the run.
        const std::string problem = decay_problem(orbel, DTSTRT, static_cast<std::int64_t>(NCALC - 1) * ISTEP);
        if (!problem.empty()) {
            throw InputError(deck.at(deck.records_read(), 1, 10) + problem);
        }
    }

    if (to_console) {
        const std::string_view name = STATAB::STNAME(ISTA);
        write(console, report::FMTRUN(),
              {DTSTRT[0], DTSTRT[1], DTSTRT[2], DTSTRT[3], DTSTRT[4], DTSTRT[5], ISTEP, NCALC, ISTA, name.substr(0, 2),
               name.substr(2, 2), name.substr(4, 2), name.substr(6, 2), name.substr(8, 2), station.STLAT, station.STLON});
    }

    Single GST;
    JULDAT(orbel.EPOCHJ, GST, orbel.EPOCH);

    Single R;
    Single DECL;
    Single RA;
    Vec3 POS{};
    double JDN = 0.0;
    ORBOUT orbout{};
    ORBIT(DTNOW, R, DECL, RA, POS, JDN, GST, orbout, orbel, console);

    const auto MINSTP = static_cast<std::int16_t>(ISTEP / 60);
    const auto SECSTP = static_cast<std::int16_t>(ISTEP - 60 * MINSTP);
    std::int16_t NPAGE = 0;
    std::int16_t NLINE = -1;

    SphrotFrame frame;
    Single GLATP;
    Single ELEVP;
    for (std::int32_t K = 1; K <= NCALC; ++K) {
        ORBIT(DTNOW, R, DECL, RA, POS, JDN, GST, orbout, orbel, console);

        Single HGT;
        Single PHIF;
        ALTLAT(R, DECL, HGT, PHIF);
        const Single GLAT = PHIF / DEGRAD;
        const Single GLON = MOD(RA / DEGRAD - GST + 360.0, 360.0);
        const Single GLONR = GLON * DEGRAD;
        // mended: whatever the element set, a value that is not a number
        // must never reach the report; the run stops with a message instead.
        if (!finite_step(R, DECL, RA, HGT, PHIF)) {
            throw InputError(deck.name() + ": the orbit cannot be computed at step " + std::to_string(K) + " (" +
                             datim_text(DTNOW) + "): the element set gives a position that is not a number");
        }

        if (K == 1) {
            GLATP = GLAT;
            ELEVP = ELEV_NONE;
        }
        // A northward crossing of the equator starts a new revolution.
        if (GLATP < 0.0 && GLAT >= 0.0) {
            ++NREV;
        }

        Look look;
        bool examine = true;
        switch (station.filter) {
        case StationFilter::NearLongitude: examine = std::fabs(GLON - station.STLON) <= 30.0; break;
        case StationFilter::North20: examine = GLAT >= 20.0; break;
        case StationFilter::South20: examine = GLAT <= -20.0; break;
        case StationFilter::Always: break;
        }
        if (examine) {
            look = look_angles(station, R, DECL, GLONR, earth);
        }

        // The Sun matters only to a step at or above the horizon: the
        // antenna mark measures the anti-solar direction, the shadow mark
        // is printed.  The table look-up and the shadow test are pure, so
        // the other steps skip them.
        Single ALAT;
        std::int16_t LIT = 0;
        if (look.above_horizon) {
            Single SDEC;
            Single SRA;
            SUNPOS(JDN, DTNOW, SDEC, SRA, suncom);
            SHADOW(POS, SDEC, SRA, LIT);
            // Anti-solar direction, degrees.
            const Single ASDEC = -SDEC / DEGRAD;
            const Single ASRA = MOD(SRA + PI, PI * 2.0) / DEGRAD;
            Single PA;
            ASPECT(look.AZIM, look.ELEV, GST, ASRA, ASDEC, PA, ALAT, station.STLAT, station.STLON, frame);
        }
        const std::string_view MARK2 = look.MARK2;
        const Single ELEV = look.ELEV;

        if (NLINE < 0) {
            ++NPAGE;
            NLINE = 46;
            if (to_console) {
                // Sidereal time as a time of day; every stage truncates.
                const Single H = GST / 15.0;
                const auto IGSTH = static_cast<std::int16_t>(INT(H));
                const Single M = (H - IGSTH) * 60.0;
                const auto IGSTM = static_cast<std::int16_t>(INT(M));
                const auto IGSTS = static_cast<std::int16_t>(INT((M - IGSTM) * 60.0));
                write(console, report::FMTPAG(),
                      {NPAGE, DTNOW[0], DTNOW[1], DTNOW[2], DTNOW[3], DTNOW[4], DTNOW[5], NREV, IGSTH, IGSTM, IGSTS});
                write(console, report::FMTEL1(), {orbout[0], orbout[1], orbout[2], orbout[3], orbout[4], orbout[5]});
                write(console, report::FMTEL2(),
                      {orbout[6], orbout[7], orbout[8], orbout[9], orbout[10], orbout[11], orbout[12]});
                write(console, report::FMTCH1(), NO_ITEMS);
                write(console, report::FMTCH2(), NO_ITEMS);
            }
        }

        if (MARK2 != "  ") {
            if (ELEVP == ELEV_NONE) {
                if (to_console) {
                    write(console, report::FMTBLK(), NO_ITEMS);
                }
                --NLINE;
            }
            static constexpr std::string_view ANTENNA = "AABB";
            static constexpr std::string_view SUNLIT = "NNDD";
            const std::string_view ANTMK = ANTENNA.substr(ALAT < 0.0 ? 0 : 2, 2);
            const std::string_view SHADMK = SUNLIT.substr(static_cast<std::size_t>(2 * LIT), 2);
            if (to_console || to_file) {
                Unit& unit = to_console ? static_cast<Unit&>(console) : *report_file;
                write(unit, to_console ? report::FMTCON() : report::FMTFIL(),
                      {NREV, DTNOW[0], DTNOW[1], DTNOW[2], DTNOW[3], DTNOW[4], DTNOW[5], " ", MARK2, HGT, GLAT, GLON,
                       ELEV, look.AZIM, look.RANGE, ANTMK, SHADMK});
            }
            --NLINE;
        }

        ADDTIM(DTNOW, MINSTP, SECSTP, monlen);
        ELEVP = ELEV;
        GLATP = GLAT;
    }

    console.flush();
    if (report_file) {
        report_file->flush();
        report_file.reset();
        file->commit();
    }
}

}  // namespace talik
