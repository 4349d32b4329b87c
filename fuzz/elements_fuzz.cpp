// elements_fuzz.cpp - libFuzzer harness for the element-set readers.
//
// Input: any bytes, taken as an element source.  Built once per encoding
// with ELEMENTS_FORMAT naming it (0 two-line, 1 KVN, 2 XML, 3 JSON, 4 CSV):
// the bytes are read with that reader, and once more through format
// detection when it would pick another.  Built without it (the regression
// replay of the normal build), every reader takes the bytes.  A source
// refused whole must end in an InputError of one line naming the source;
// every set read must hold finite elements within their ranges and read
// back to the same record when written out as a KVN message (an epoch
// written through a calendar of its own here); every problem and warning
// must be one line naming the source, and only the first few kept.
// Anything else (another exception, a crash, a sanitizer report) is a
// finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "elements/elements.hpp"

namespace {

// 0000-01-01 and 10000-01-01, in days from 1970-01-01: a four-digit year.
constexpr std::int64_t FIRST_DAY = -719528;
constexpr std::int64_t END_DAY = 2932897;
constexpr std::int64_t US_PER_DAY = 86'400'000'000;  // microseconds, this harness's own calendar

[[noreturn]] void finding(const std::string& what) {
    std::fprintf(stderr, "FINDING: %s\n", what.c_str());
    std::abort();
}

void expect_line(const std::string& line, std::string_view start) {
    if (line.rfind(start, 0) != 0 || line.find_first_of("\r\n") != std::string::npos)
        finding("malformed line: " + line);
}

void expect_sane(const talik::MeanElements& set) {
    const double values[] = {set.mean_motion,     set.eccentricity,     set.inclination_deg,
                             set.raan_deg,        set.arg_perigee_deg,  set.mean_anomaly_deg,
                             set.mean_motion_dot, set.mean_motion_ddot, set.bstar};
    for (const double value : values) {
        if (!std::isfinite(value)) finding("a value that is not finite in " + set.source);
    }
    const bool in_range = set.mean_motion > 0.0 && set.eccentricity >= 0.0 && set.eccentricity < 1.0 &&
                          set.inclination_deg >= 0.0 && set.inclination_deg <= 180.0 && set.raan_deg >= 0.0 &&
                          set.raan_deg <= 360.0 && set.arg_perigee_deg >= 0.0 && set.arg_perigee_deg <= 360.0 &&
                          set.mean_anomaly_deg >= 0.0 && set.mean_anomaly_deg <= 360.0 && set.catalog_number >= 0 &&
                          set.rev_at_epoch >= 0 && set.epoch_us >= FIRST_DAY * US_PER_DAY &&
                          set.epoch_us < END_DAY * US_PER_DAY && set.name.size() <= talik::MAX_ELEMENT_FIELD_BYTES &&
                          set.object_id.size() <= talik::MAX_ELEMENT_FIELD_BYTES;
    if (!in_range) finding("an element out of its range in " + set.source);
    expect_line(set.source, "FUZZ, ");
}

// The date of a day counted from 1970-01-01, proleptic Gregorian.
void civil_from_days(std::int64_t days, std::int64_t& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t day_of_era = days - era * 146097;
    const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
    day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
}

void expect_round_trip(const talik::MeanElements& set) {
    const std::int64_t days = (set.epoch_us >= 0 ? set.epoch_us : set.epoch_us - US_PER_DAY + 1) / US_PER_DAY;
    const std::int64_t us = set.epoch_us - days * US_PER_DAY;
    std::int64_t year = 0;
    int month = 0, day = 0;
    civil_from_days(days, year, month, day);
    char text[1024];
    std::snprintf(text, sizeof text,
                  "CCSDS_OMM_VERS = 3.0\nEPOCH = %04lld-%02d-%02dT%02lld:%02lld:%02lld.%06lld\nMEAN_MOTION = %.17g\n"
                  "ECCENTRICITY = %.17g\nINCLINATION = %.17g\nRA_OF_ASC_NODE = %.17g\nARG_OF_PERICENTER = %.17g\n"
                  "MEAN_ANOMALY = %.17g\nMEAN_MOTION_DOT = %.17g\nMEAN_MOTION_DDOT = %.17g\nBSTAR = %.17g\n"
                  "NORAD_CAT_ID = %d\nREV_AT_EPOCH = %d\n",
                  static_cast<long long>(year), month, day, static_cast<long long>(us / 3'600'000'000),
                  static_cast<long long>(us / 60'000'000 % 60), static_cast<long long>(us / 1'000'000 % 60),
                  static_cast<long long>(us % 1'000'000), set.mean_motion, set.eccentricity, set.inclination_deg,
                  set.raan_deg, set.arg_perigee_deg, set.mean_anomaly_deg, set.mean_motion_dot, set.mean_motion_ddot,
                  set.bstar, set.catalog_number, set.rev_at_epoch);
    const talik::ElementSetsRead again = talik::read_element_sets("FUZZ", text, talik::ElementFormat::Kvn);
    if (again.sets.size() != 1) finding("written out, " + set.source + " does not read back: " + text);
    const talik::MeanElements& b = again.sets[0];
    const bool same = set.epoch_us == b.epoch_us && set.mean_motion == b.mean_motion &&
                      set.eccentricity == b.eccentricity && set.inclination_deg == b.inclination_deg &&
                      set.raan_deg == b.raan_deg && set.arg_perigee_deg == b.arg_perigee_deg &&
                      set.mean_anomaly_deg == b.mean_anomaly_deg && set.mean_motion_dot == b.mean_motion_dot &&
                      set.mean_motion_ddot == b.mean_motion_ddot && set.bstar == b.bstar &&
                      set.catalog_number == b.catalog_number && set.rev_at_epoch == b.rev_at_epoch;
    if (!same) finding("written out, " + set.source + " reads back otherwise: " + text);
}

template <typename Read>
void check(Read read) {
    try {
        const talik::ElementSetsRead result = read();
        for (const talik::MeanElements& set : result.sets) {
            expect_sane(set);
            expect_round_trip(set);
        }
        for (const talik::SummarisedLines* lines : {&result.problems, &result.warnings}) {
            if (lines->kept().size() > talik::LINES_KEPT || lines->count() < lines->kept().size()) {
                finding("more lines kept than LINES_KEPT, or fewer counted than kept");
            }
            for (const std::string& line : lines->shown()) expect_line(line, "FUZZ: ");
        }
    } catch (const talik::InputError& e) {
        expect_line(e.what(), "FUZZ: ");
    }
}

void read_as(std::string_view text, talik::ElementFormat format) {
    check([&] { return talik::read_element_sets("FUZZ", text, format); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
#ifdef ELEMENTS_FORMAT
    const auto format = static_cast<talik::ElementFormat>(ELEMENTS_FORMAT);
    read_as(text, format);
    if (talik::detect_element_format(text) != format) check([&] { return talik::read_element_sets("FUZZ", text); });
#else
    for (const talik::ElementFormat format :
         {talik::ElementFormat::TwoLine, talik::ElementFormat::Kvn, talik::ElementFormat::Xml,
          talik::ElementFormat::Json, talik::ElementFormat::Csv}) {
        read_as(text, format);
    }
    check([&] { return talik::read_element_sets("FUZZ", text); });
#endif
    return 0;
}
