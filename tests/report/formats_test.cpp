// The report's records, built column by column from their layouts and
// compared with what the formats write.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "format/console.hpp"
#include "format/format.hpp"
#include "orbit/kepler.hpp"
#include "predict/statab.hpp"
#include "report/formats.hpp"

namespace talik {
namespace {

constexpr std::span<const Value> NO_ITEMS{};

// A record built by placing texts at 1-based columns.
class Columns {
public:
    Columns& at(int column, const std::string& text) {
        const auto start = static_cast<std::size_t>(column - 1);
        if (line_.size() < start + text.size()) {
            line_.resize(start + text.size(), ' ');
        }
        line_.replace(start, text.size(), text);
        return *this;
    }
    const std::string& str() const { return line_; }

private:
    std::string line_;
};

TEST(Report, RunHeaderForSyowa) {
    const std::string_view name = STATAB::STNAME(4);
    const std::string text = format_records(
        report::FMTRUN(),
        {std::int16_t{1995}, std::int16_t{6}, std::int16_t{15}, std::int16_t{0}, std::int16_t{5}, std::int16_t{9},
         std::int16_t{150}, std::int32_t{1440}, std::int16_t{4}, name.substr(0, 2), name.substr(2, 2),
         name.substr(4, 2), name.substr(6, 2), name.substr(8, 2), STATAB::STLAT(4), STATAB::STLON(4)});
    const std::string expected = Columns().at(20, "STARTING TIME: ").at(61, "1995/ 6/15").at(76, " 0: 5: 9").str() +
                                 "\n" + Columns().at(20, "INTERVAL (SEC):").at(61, "  150").str() + "\n" +
                                 Columns().at(20, "NUMBER OF CALCULATIONS:").at(61, " 1440").str() + "\n" +
                                 Columns().at(20, "STATION NUMBER:").at(61, " 4:SYOWA     ").str() + "\n" +
                                 Columns()
                                     .at(20, "  (LAT.,LON.):")
                                     .at(66, "(")
                                     .at(67, "-69.001")
                                     .at(74, ",")
                                     .at(75, " 39.585")
                                     .at(82, ")")
                                     .str();
    EXPECT_EQ(text, expected);
}

TEST(Report, PageHeaderPutsEveryFieldInItsColumns) {
    const std::string text = format_records(
        report::FMTPAG(),
        {std::int16_t{12}, std::int16_t{1996}, std::int16_t{3}, std::int16_t{1}, std::int16_t{23}, std::int16_t{0},
         std::int16_t{59}, std::int32_t{98765}, std::int16_t{0}, std::int16_t{39}, std::int16_t{57}});
    const std::string expected = "1\n\n\n" + Columns().at(120, "PAGE:").at(125, "  12").str() + "\n" +
                                 Columns()
                                     .at(5, "EPOCH (UT):")
                                     .at(16, "1996/ 3/ 1")
                                     .at(29, "23: 0:59")
                                     .at(45, "REV:")
                                     .at(49, " 98765")
                                     .at(71, "GREENWICH SIDEREAL TIME:")
                                     .at(107, " 0:39:57")
                                     .str();
    EXPECT_EQ(text, expected);
}

TEST(Report, ElementBlocksAndHeadings) {
    const std::string block2 =
        format_records(report::FMTEL2(), {Single(-2.0399), Single(-2.4785), Single(3.8029), Single(-0.1),
                                          Single(8.2981E-5), Single(362.1), Single(637.9)});
    const std::string expected2 =
        Columns()
            .at(5, "DOT ASC. NODE (DEG/DAY): ")
            .at(46, " -2.039900")
            .at(71, "DOT ARGUMENT OF PERIGEE (DEG/DAY): ")
            .at(106, " -2.478500")
            .str() +
        "\n" +
        Columns()
            .at(5, "MEAN MOTION (DEG/MIN): ")
            .at(46, "  3.802900")
            .at(71, "DOT SEMI-MAJOR-AXIS (KM/DAY): ")
            .at(107, "     -.100")
            .str() +
        "\n" + Columns().at(5, "DOT MEAN MOTION (DEG/MIN/DAY): ").at(46, "    .00008").str() + "\n" +
        Columns().at(5, "PERIGEE (KM): ").at(46, "   362.100").at(71, "APOGEE (KM): ").at(107, "   637.900").str() +
        "\n";  // block 2 ends with an empty record
    EXPECT_EQ(block2, expected2);

    EXPECT_EQ(format_records(report::FMTCH1(), NO_ITEMS),
              Columns().at(14, "TIME(UT)").at(42, "SATELLITE  POSITION").at(71, "ACQUISITION").str());
    EXPECT_EQ(format_records(report::FMTCH2(), NO_ITEMS), Columns()
                                                              .at(3, "REV   YR MN DY HR MN SC")
                                                              .at(39, " ALT.    LAT.   LONG.")
                                                              .at(65, "EL.    AZ.    RANGE")
                                                              .at(87, "ANTENNA")
                                                              .str());
}

TEST(Report, BannerIsNineRecords) {
    const std::string expected = "1\n\n\n\n\n\n" + Columns().at(30, "======== TALI-K (VORANE) =======").str() + "\n\n";
    EXPECT_EQ(format_records(report::FMTBAN(), NO_ITEMS), expected);
}

struct DataLine {
    std::int32_t nrev;
    float hgt, glat, glon, elev, azim, range;
    const char* console;
    const char* file;
};

TEST(Report, DataLinesOnConsoleAndInFile) {
    const DataLine cases[] = {
        {12345, 621.84F, -45.67F, 123.45F, 12.34F, 234.56F, 1234.5F,
         " 12345 1995/ 6/15  0: 5: 9           S 621.84 -45.67  123.45   12.34  234.56 1234.50     A D",
         "12345 1995/ 6/15  0: 5: 9 S 621.84 -45.67 123.45  12.34 234.56 1234.5 A D"},
        // Values between -1 and 1 have no zero before the point; 359.996 rounds up to 360.00;
        // a height of five integer digits does not fit F7.2.
        {7, 12345.6F, .25F, 359.996F, -.004F, 359.999F, 98765.4F,
         "     7 1995/ 6/15  0: 5: 9           S*******    .25  360.00     .00  360.0098765.40     A D",
         "    7 1995/ 6/15  0: 5: 9 S*******    .25 360.00    .00 360.0098765.4 A D"},
        // Revolution numbers that do not fit are asterisks on the console too, never in the control column.
        {100000, 500.0F, 0.0F, 0.0F, 1.0F, 1.0F, 1.0F,
         " ***** 1995/ 6/15  0: 5: 9           S 500.00    .00     .00    1.00    1.00    1.00     A D",
         "***** 1995/ 6/15  0: 5: 9 S 500.00    .00    .00   1.00   1.00    1.0 A D"},
    };
    for (const DataLine& c : cases) {
        const auto line = [&](const Format& f) {
            return format_records(f, {c.nrev, std::int16_t{1995}, std::int16_t{6}, std::int16_t{15}, std::int16_t{0},
                                      std::int16_t{5}, std::int16_t{9}, " ", "SS", Single(c.hgt), Single(c.glat),
                                      Single(c.glon), Single(c.elev), Single(c.azim), Single(c.range), "AA", "DD"});
        };
        EXPECT_EQ(line(report::FMTCON()), c.console) << c.nrev;
        EXPECT_EQ(line(report::FMTFIL()), c.file) << c.nrev;
        EXPECT_EQ(std::string(c.console).size(), 92U);
        EXPECT_EQ(std::string(c.file).size(), 73U);
    }
}

// A data line of a real run as the README shows it (examples/leo-madrid.deck),
// and its revolution number in columns 1-5 (after the control column) for
// numbers at the edges of the field.
TEST(Report, ConsoleLineFollowsTheReadmeColumns) {
    const std::string readme_line =
        "12362 1995/ 6/15 14:36: 0           M 496.68  24.76  353.78    7.15  188.52 1882.05     A D";
    struct Case {
        std::int32_t nrev;
        const char* columns_1_5;
    };
    const Case cases[] = {{12362, "12362"}, {99999, "99999"}, {1, "    1"},      {0, "    0"},
                          {-1, "   -1"},    {-9999, "-9999"}, {100000, "*****"}, {-10000, "*****"}};
    for (const Case& c : cases) {
        const std::string record = format_records(
            report::FMTCON(), {c.nrev, std::int16_t{1995}, std::int16_t{6}, std::int16_t{15}, std::int16_t{14},
                               std::int16_t{36}, std::int16_t{0}, " ", "MM", Single(496.68), Single(24.76),
                               Single(353.78), Single(7.15), Single(188.52), Single(1882.05), "AA", "DD"});
        EXPECT_EQ(record, " " + (c.columns_1_5 + readme_line.substr(5))) << c.nrev;
    }
}

// A solution that does not converge gives one 101-column record with the
// three numbers in E15.6 fields; each failure adds a record of its own.
TEST(Report, KeplerLineOfANonConvergingSolution) {
    Single EE;
    const KeplerStatus status = KEPLER(-0.2325, 0.97363, EE);
    ASSERT_FALSE(status.converged);
    const std::string record = format_records(
        report::kepler_warning_format(),
        {" DID NOT CONVERGE (SUB. KEPLER)  ERROR =", status.ERROR, "   EE = ", status.EE, "  G  =  ", status.G});
    ASSERT_EQ(record.size(), 101U);
    EXPECT_EQ(record.substr(0, 40), " DID NOT CONVERGE (SUB. KEPLER)  ERROR =");
    EXPECT_EQ(record.substr(55, 8), "   EE = ");
    EXPECT_EQ(record.substr(78), "  G  =  " + std::string("   -.232500E+00"));
    EXPECT_NEAR(std::strtod(record.substr(63, 15).c_str(), nullptr), EE, 5e-6 * std::fabs(EE));

    Console console;
    report_kepler(console, status);
    report_kepler(console, KeplerStatus{});  // converged: nothing
    report_kepler(console, status);
    EXPECT_EQ(console.captured(), record.substr(1) + "\r\n" + record.substr(1));
}

}  // namespace
}  // namespace talik
