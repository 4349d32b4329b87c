// Formats: parsing, the output fields, the report's own formats.
#include "format/format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace talik {
namespace {

std::string out(const char* format, std::initializer_list<Value> values) {
    return format_records(Format(format), values);
}

// An expected record built from column positions (1-based).
struct Line {
    std::string s;
    Line& at(std::size_t column, std::string_view text) {
        if (s.size() < column - 1 + text.size()) s.resize(column - 1 + text.size(), ' ');
        s.replace(column - 1, text.size(), text);
        return *this;
    }
};

std::string join(const std::vector<std::string>& records) {
    std::string all;
    for (std::size_t i = 0; i < records.size(); ++i) all += (i ? "\n" : "") + records[i];
    return all;
}

// ---------------------------------------------------------------- parsing

TEST(FormatParse, AcceptsTheNotation) {
    struct Case { const char* format; std::vector<Value> values; const char* expected; };
    const std::vector<Case> cases = {
        {"(i2)", {std::int32_t{7}}, " 7"},
        {"( 2 I 3 , 1X ,'a b')", {std::int32_t{1}, std::int32_t{2}}, "  1  2 a b"},
        {"(I2'x'I2)", {std::int32_t{1}, std::int32_t{2}}, " 1x 2"},
        {"('it''s',''''/'')", {}, "it's'\n"},
        {"(2(I1,2('-',I1)))", {1, 2, 3, 4, 5, 6}, "1-2-34-5-6"},
        {"(2a1,f4.1,e9.2)", {"xy", "z", Single(1.5), Single(2.0)}, "xz 1.5  .20E+01"},
        {"()", {}, ""},
        {"('a'//'b')", {}, "a\n\nb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format_records(Format(c.format), c.values), c.expected) << c.format;
    }
}

TEST(FormatParse, ExpandsDescriptorRepeatsButKeepsGroups) {
    const Format f("(2I2,3('/',I2))");
    const auto& items = f.items();
    ASSERT_EQ(items.size(), 6U);  // I2 I2 ( '/' I2 )
    EXPECT_EQ(items[2].kind, FormatItem::Kind::GroupStart);
    EXPECT_EQ(items[2].repeat, 3);
    EXPECT_EQ(items[2].partner, 5);
    EXPECT_EQ(items[5].partner, 2);
    EXPECT_EQ(items[3].literal, "/");
    EXPECT_EQ(f.steps().size(), 8U);
    EXPECT_EQ(f.slots().size(), 5U);
    EXPECT_TRUE(f.output_only());
    EXPECT_FALSE(Format("(7I5/6F10.0)").output_only());
}

TEST(FormatParse, RejectsMalformedText) {
    const char* bad[] = {"",        "I5",      "(I5",     "(I5))",   "(I5)x",  "(,I5)",   "(I5,)",
                         "(I5,,I2)", "(I)",     "(I0)",    "(F7)",    "(F7.)",  "(E9.0)",  "(X)",
                         "(0X)",    "(2'ab')", "('abc)",  "(2/)",    "(Q5)",   "(2())",   "(0I2)",
                         "(I1001)", "(1000(1000(I1)))",   "(I5.2)",  "(A0)",   "(3)"};
    for (const char* text : bad) EXPECT_THROW(Format{text}, FormatError) << text;
}

// ------------------------------------------------------------ the fields

TEST(FormatFields, EdgeCases) {
    struct Case { const char* format; Value value; const char* expected; };
    const Case cases[] = {
        {"(I4)", std::int32_t{12345}, "****"},
        {"(I2)", std::int32_t{-5}, "-5"},
        {"(I5)", std::int32_t{0}, "    0"},
        {"(I2)", std::int16_t{3}, " 3"},
        {"(I2)", std::int32_t{-10}, "**"},
        {"(I11)", std::int32_t{INT32_MIN}, "-2147483648"},
        {"(F7.2)", Single(0.004), "    .00"},
        {"(F7.2)", Single(-0.004), "    .00"},
        {"(F7.2)", Single(0.006), "    .01"},
        {"(F7.2)", Single(0.005), "    .00"},  // stored just below 0.005
        {"(F7.2)", 0.005, "    .01"},          // the double is just above
        {"(F8.2)", Single(359.996), "  360.00"},
        {"(F8.2)", Single(359.995), "  359.99"},  // stored as 359.99499...
        {"(F8.2)", Single(359.99503), "  360.00"},
        {"(F7.2)", Single(10000.0), "*******"},
        {"(F7.2)", Single(9999.99), "9999.99"},
        {"(F7.2)", Single(-999.99), "-999.99"},
        {"(F6.2)", Single(-999.99), "******"},
        {"(F7.2)", Single(0.5), "    .50"},
        {"(F7.2)", Single(-0.5), "   -.50"},
        {"(F10.3)", Single(12345.678), " 12345.680"},
        {"(F10.3)", 12345.678, " 12345.678"},
        {"(F12.2)", Single(16777217.0), " 16777220.00"},
        {"(F7.2)", Single(-0.0), "    .00"},
        {"(F7.1)", Single(0.25), "     .3"},
        {"(F7.1)", Single(-0.25), "    -.3"},
        {"(F5.0)", Single(2.5), "   3."},
        {"(F5.0)", Single(0.4), "   0."},
        {"(F5.0)", Single(-0.4), "   0."},
        {"(F5.0)", Single(0.5), "   1."},
        {"(F2.0)", Single(0.0), "0."},
        {"(F1.0)", Single(0.0), "*"},
        {"(F3.2)", Single(0.125), ".13"},
        {"(F9.8)", Single(0.1), ".10000000"},
        {"(F7.2)", Single(NAN), "    NaN"},
        {"(F7.2)", Single(-INFINITY), "   -Inf"},
        {"(F2.0)", Single(INFINITY), "**"},
        {"(E15.6)", Single(1.5), "    .150000E+01"},
        {"(E15.6)", Single(0.0), "    .000000E+00"},
        {"(E15.6)", Single(-0.0), "    .000000E+00"},
        {"(E15.6)", Single(-1.5), "   -.150000E+01"},
        {"(E15.6)", Single(9.9999999), "    .100000E+02"},
        {"(E15.6)", Single(1.0e-5), "    .100000E-04"},
        {"(E14.9)", Single(0.1), ".100000000E+00"},  // 7 digits, then zeros
        {"(E13.9)", Single(0.1), "*************"},
        {"(E10.3)", 1.0e300, "  .100+301"},
        {"(E10.3)", -1.0e-300, " -.100-299"},
        {"(E10.4)", Single(1.5), " .1500E+01"},
        {"(E9.4)", Single(-1.5), "*********"},
        {"(A1)", "ND", "N"},
        {"(A2)", "ND", "ND"},
        {"(A3)", "ND", " ND"},
        {"(A)", "=== OUTPUT FILE OPEN ERROR!", "=== OUTPUT FILE OPEN ERROR!"},
        {"(A)", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(out(c.format, {c.value}), c.expected) << c.format << " of row " << (&c - cases);
    }
}

TEST(FormatFields, RoundsTheExactBinaryValueHalfAwayFromZero) {
    // Exact binary ties go away from zero; values a hair below a tie go down.
    struct Case { double value; const char* format; const char* expected; };
    const Case cases[] = {
        {0.125, "(F6.2)", "   .13"},   {-0.125, "(F6.2)", "  -.13"}, {2.5, "(F4.0)", "  3."},
        {-2.5, "(F4.0)", " -3."},      {1.0 / 1024, "(F8.3)", "    .001"}, {0.375, "(F5.2)", "  .38"},
        {1.005, "(F5.2)", " 1.00"},    {1.015, "(F5.2)", " 1.01"},   {1.025, "(F5.2)", " 1.02"},
        {4503599627370497.0, "(F18.0)", " 4503599627370497."},      // 16 digits, a double
        {12345678901234567.0, "(F19.0)", " 12345678901234570."},    // 17th digit shown as 0
    };
    for (const Case& c : cases) EXPECT_EQ(out(c.format, {c.value}), c.expected) << c.value;
}

TEST(FormatWrite, StopsAtTheFirstDescriptorWithoutValue) {
    EXPECT_EQ(out("(I2,'a',/,'b',I2,'c')", {std::int32_t{1}}), " 1a\nb");
    EXPECT_EQ(out("(I2,/)", {std::int32_t{1}}), " 1\n");
    EXPECT_EQ(out("('x',A)", {}), "x");
    EXPECT_EQ(out("(3(A,E15.6))", {"E="}), "E=");
}

TEST(FormatWrite, RefusesValuesThatDoNotMatch) {
    EXPECT_THROW(out("(I5)", {std::int32_t{1}, std::int32_t{2}}), FormatError);
    EXPECT_THROW(out("(F7.2)", {std::int32_t{1}}), FormatError);
    EXPECT_THROW(out("(E15.6)", {std::int16_t{1}}), FormatError);
    EXPECT_THROW(out("(I5)", {Single(1.0)}), FormatError);
    EXPECT_THROW(out("(A1)", {std::int32_t{1}}), FormatError);
    EXPECT_THROW(out("(F7.2)", {"x"}), FormatError);
}

TEST(FormatWrite, LongRecordsLeaveTheStackBuffer) {
    const std::string text(5000, 'q');
    EXPECT_EQ(out("(A,'!',I3)", {std::string_view(text), std::int32_t{7}}), text + "!  7");
    EXPECT_EQ(out("(3(1000X),'e')", {}), std::string(3000, ' ') + "e");
}

// ------------------------------------------------- the report's formats

TEST(ReportFormats, Banner) {
    const std::string r = out("('1',/,/,/,/,/,/,29X,'======== TALI-K (VORANE) =======',/,/)", {});
    EXPECT_EQ(r, join({"1", "", "", "", "", "", Line().at(30, "======== TALI-K (VORANE) =======").s, "", ""}));
}

TEST(ReportFormats, RunHeader) {
    const Format f(
        "(19X,'STARTING TIME: ',26X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'INTERVAL (SEC):',26X,I5,/,19X,'NUMBER OF "
        "CALCULATIONS:',18X,I5,/,19X,'STATION NUMBER:',26X,I2,':',5A2,/,19X,'  (LAT.,LON.):',32X,'(',F7.3,',',F7.3,')')");
    const std::int16_t dt[6] = {1995, 3, 7, 9, 5, 0};
    const std::string r = format_records(
        f, {dt[0], dt[1], dt[2], dt[3], dt[4], dt[5], std::int32_t{60}, std::int32_t{1440}, std::int32_t{3}, "KI",
            "RU", "NA", "  ", "  ", Single(67.857), Single(-20.964)});
    EXPECT_EQ(r, join({Line()
                           .at(20, "STARTING TIME: ")
                           .at(61, "1995").at(65, "/").at(66, " 3").at(68, "/").at(69, " 7")
                           .at(76, " 9").at(78, ":").at(79, " 5").at(81, ":").at(82, " 0")
                           .s,
                       Line().at(20, "INTERVAL (SEC):").at(61, "   60").s,
                       Line().at(20, "NUMBER OF CALCULATIONS:").at(61, " 1440").s,
                       Line().at(20, "STATION NUMBER:").at(61, " 3").at(63, ":").at(64, "KIRUNA    ").s,
                       Line().at(20, "  (LAT.,LON.):").at(66, "(").at(67, " 67.857").at(74, ",")
                           .at(75, "-20.964").at(82, ")").s}));
}

TEST(ReportFormats, PageHeader) {
    const Format f(
        "('1',/,/,/,60X,59X,'PAGE:',I4,/,4X,'EPOCH (UT):',I4,2('/',I2),3X,2(I2,':'),I2,8X,'REV:',I6,16X,'GREENWICH "
        "SIDEREAL TIME:',12X,2(I2,':'),I2)");
    const std::string r = format_records(f, {std::int32_t{12}, std::int16_t{1995}, std::int16_t{12}, std::int16_t{31},
                                             std::int16_t{23}, std::int16_t{59}, std::int16_t{58}, std::int32_t{12345},
                                             std::int32_t{7}, std::int32_t{8}, std::int32_t{9}});
    EXPECT_EQ(r, join({"1", "", "", Line().at(120, "PAGE:").at(125, "  12").s,
                       Line()
                           .at(5, "EPOCH (UT):").at(16, "1995").at(20, "/").at(21, "12").at(23, "/").at(24, "31")
                           .at(29, "23").at(31, ":").at(32, "59").at(34, ":").at(35, "58")
                           .at(45, "REV:").at(49, " 12345")
                           .at(71, "GREENWICH SIDEREAL TIME:")
                           .at(107, " 7").at(109, ":").at(110, " 8").at(112, ":").at(113, " 9")
                           .s}));
}

TEST(ReportFormats, ElementBlocks) {
    const Format el1(
        "(4X,'SEMI-MAJOR-AXIS (KM): ',16X,F10.3,15X,'ECCENTRICITY: ',22X,F10.6,/,4X,'INCLINATION (DEG): ',22X,F10.3,"
        "15X,'ARGUMENT OF PERIGEE (DEG): ',10X,F10.3,/,4X,'R.A. OF ASCENDING NODE (DEG): ',11X,F10.3,15X,'MEAN "
        "ANOMALY (DEG): ',16X,F10.3)");
    const Format el2(
        "(4X,'DOT ASC. NODE (DEG/DAY): ',16X,F10.6,15X,'DOT ARGUMENT OF PERIGEE (DEG/DAY): ',F10.6,/,4X,'MEAN MOTION "
        "(DEG/MIN): ',18X,F10.6,15X,'DOT SEMI-MAJOR-AXIS (KM/DAY): ',6X,F10.3,/,4X,'DOT MEAN MOTION (DEG/MIN/DAY): "
        "',10X,F10.5,/,4X,'PERIGEE (KM): ',27X,F10.3,15X,'APOGEE (KM): ',23X,F10.3,/)");
    EXPECT_EQ(format_records(el1, {Single(7178.137), Single(0.001234), Single(98.765), Single(123.456),
                                   Single(234.567), Single(345.678)}),
              join({Line().at(5, "SEMI-MAJOR-AXIS (KM): ").at(43, "  7178.137").at(68, "ECCENTRICITY: ")
                        .at(104, "   .001234").s,
                    Line().at(5, "INCLINATION (DEG): ").at(46, "    98.765").at(71, "ARGUMENT OF PERIGEE (DEG): ")
                        .at(108, "   123.456").s,
                    Line().at(5, "R.A. OF ASCENDING NODE (DEG): ").at(46, "   234.567")
                        .at(71, "MEAN ANOMALY (DEG): ").at(107, "   345.678").s}));
    EXPECT_EQ(format_records(el2, {Single(-0.123456), Single(3.5), Single(3.6), Single(-0.25), Single(0.00012),
                                   Single(789.5), Single(1234.25)}),
              join({Line().at(5, "DOT ASC. NODE (DEG/DAY): ").at(46, "  -.123456")
                        .at(71, "DOT ARGUMENT OF PERIGEE (DEG/DAY): ").at(106, "  3.500000").s,
                    Line().at(5, "MEAN MOTION (DEG/MIN): ").at(46, "  3.600000")
                        .at(71, "DOT SEMI-MAJOR-AXIS (KM/DAY): ").at(107, "     -.250").s,
                    Line().at(5, "DOT MEAN MOTION (DEG/MIN/DAY): ").at(46, "    .00012").s,
                    Line().at(5, "PERIGEE (KM): ").at(46, "   789.500").at(71, "APOGEE (KM): ")
                        .at(107, "  1234.250").s,
                    ""}));
    // a semi-major axis of a million km does not fit F10.3
    // (the record stops at the next descriptor, after the literal and blanks before it)
    EXPECT_EQ(format_records(el1, {Single(1.0e6)}), Line().at(5, "SEMI-MAJOR-AXIS (KM): ").at(43, "**********")
                                                        .at(68, "ECCENTRICITY: ").at(103, " ").s);
}

TEST(ReportFormats, HeadingsAndSeparator) {
    EXPECT_EQ(out("(13X,'TIME(UT)',20X,'SATELLITE  POSITION',10X,'ACQUISITION')", {}),
              Line().at(14, "TIME(UT)").at(42, "SATELLITE  POSITION").at(71, "ACQUISITION").s);
    EXPECT_EQ(out("(2X,'REV   YR MN DY HR MN SC',13X,' ALT.    LAT.   LONG.',5X,'EL.    AZ.    RANGE',3X,'ANTENNA')", {}),
              Line().at(3, "REV   YR MN DY HR MN SC").at(39, " ALT.    LAT.   LONG.").at(65, "EL.    AZ.    RANGE")
                  .at(87, "ANTENNA").s);
    EXPECT_EQ(out("(' ')", {}), " ");
}

TEST(ReportFormats, DataLines) {
    const Format con("(I6,I5,2('/',I2),I3,2(':',I2),10X,2A1,2F7.2,4F8.2,5X,A1,1X,A1)");
    const Format fil("(2I5,2('/',I2),I3,2(':',I2),2A1,5F7.2,F7.1,1X,A1,1X,A1)");
    auto line = [](const Format& f, std::int32_t nrev, Single hgt) {
        return format_records(f, {nrev, std::int16_t{1995}, std::int16_t{3}, std::int16_t{7}, std::int16_t{9},
                                  std::int16_t{5}, std::int16_t{0}, "  ", "V ", hgt, Single(-45.67), Single(123.45),
                                  Single(0.25), Single(359.996), Single(2345.67), "A ", "D "});
    };
    const std::string c = line(con, 12345, Single(812.34));
    EXPECT_EQ(c, Line().at(1, " 12345").at(7, " 1995").at(12, "/").at(13, " 3").at(15, "/").at(16, " 7")
                     .at(18, "  9").at(21, ":").at(22, " 5").at(24, ":").at(25, " 0").at(37, " ").at(38, "V")
                     .at(39, " 812.34").at(46, " -45.67").at(53, "  123.45").at(61, "     .25").at(69, "  360.00")
                     .at(77, " 2345.67").at(90, "A").at(92, "D").s);
    EXPECT_EQ(c.size(), 92U);
    const std::string f = line(fil, 12345, Single(812.34));
    EXPECT_EQ(f, Line().at(1, "12345").at(6, " 1995").at(11, "/").at(12, " 3").at(14, "/").at(15, " 7")
                     .at(17, "  9").at(20, ":").at(21, " 5").at(23, ":").at(24, " 0").at(26, " ").at(27, "V")
                     .at(28, " 812.34").at(35, " -45.67").at(42, " 123.45").at(49, "    .25").at(56, " 360.00")
                     .at(63, " 2345.7").at(71, "A").at(73, "D").s);
    EXPECT_EQ(f.size(), 73U);
    // revolution 100000: into the control column on the console, asterisks in the file
    EXPECT_EQ(line(con, 100000, Single(812.34)).substr(0, 6), "100000");
    EXPECT_EQ(line(fil, 100000, Single(812.34)).substr(0, 5), "*****");
    // a height of five integer digits does not fit F7.2
    EXPECT_EQ(line(fil, 1, Single(12345.0)).substr(27, 7), "*******");
    EXPECT_EQ(line(con, 1, Single(9999.994)).substr(38, 7), "9999.99");
}

TEST(ReportFormats, ElementListing) {
    const std::string r1 = out(
        "(19X,'EPOCH (UT):',30X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'REVOLUTION NUMBER:',23X,I5)",
        {std::int16_t{1995}, std::int16_t{3}, std::int16_t{7}, std::int16_t{9}, std::int16_t{5}, std::int16_t{0},
         std::int32_t{4321}});
    EXPECT_EQ(r1, join({Line().at(20, "EPOCH (UT):").at(61, "1995/ 3/ 7").at(76, " 9: 5: 0").s,
                        Line().at(20, "REVOLUTION NUMBER:").at(61, " 4321").s}));
    const std::string r2 = out(
        "(19X,'SEMI-MAJOR-AXIS (KM):',20X,F10.3,/,19X,'ECCENTRICITY:',28X,F10.6,/,19X,'INCLINATION (DEG):',23X,F10.3,"
        "/,19X,'R.A. OF ASCENDING NODE (DEG):',12X,F10.3,/,19X,'ARGUMENT OF PERIGEE (DEG):',14X,F10.3,/,19X,'MEAN "
        "ANOMALY (DEG):',29X,F10.3,/)",
        {Single(7000.0), Single(0.01), Single(98.5), Single(10.0), Single(20.0), Single(30.0)});
    EXPECT_EQ(r2, join({Line().at(20, "SEMI-MAJOR-AXIS (KM):").at(61, "  7000.000").s,
                        Line().at(20, "ECCENTRICITY:").at(61, "   .010000").s,
                        Line().at(20, "INCLINATION (DEG):").at(61, "    98.500").s,
                        Line().at(20, "R.A. OF ASCENDING NODE (DEG):").at(61, "    10.000").s,
                        Line().at(20, "ARGUMENT OF PERIGEE (DEG):").at(60, "    20.000").s,
                        Line().at(20, "MEAN ANOMALY (DEG):").at(68, "    30.000").s, ""}));
    const std::string r3 = out(
        "(19X,'DOT SEMI-MAJOR-AXIS (KM/DAY):',19X,F10.3,/,19X,'DOT R.A. OF ASCENDING NODE (DEG/DAY):',11X,F10.6,/,"
        "19X,'DOT ARGUMENT OF PERIGEE (DEG/DAY):',14X,F10.6,/,/,19X,'MEAN MOTION (REV/DAY):',26X,F10.6,/,/)",
        {Single(-0.5), Single(0.0), Single(-1.25), Single(14.25)});
    EXPECT_EQ(r3, join({Line().at(20, "DOT SEMI-MAJOR-AXIS (KM/DAY):").at(68, "     -.500").s,
                        Line().at(20, "DOT R.A. OF ASCENDING NODE (DEG/DAY):").at(68, "   .000000").s,
                        Line().at(20, "DOT ARGUMENT OF PERIGEE (DEG/DAY):").at(68, " -1.250000").s, "",
                        Line().at(20, "MEAN MOTION (REV/DAY):").at(68, " 14.250000").s, "", ""}));
}

TEST(ReportFormats, KeplerMessage) {
    const std::string r = out("(3(A,E15.6))", {" DID NOT CONVERGE (SUB. KEPLER)  ERROR =", Single(1.2e-5),
                                               "   EE = ", Single(1000.5), "  G  =  ", Single(-3.0)});
    EXPECT_EQ(r, Line().at(1, " DID NOT CONVERGE (SUB. KEPLER)  ERROR =").at(41, "    .120000E-04")
                     .at(56, "   EE = ").at(64, "    .100050E+04").at(79, "  G  =  ").at(87, "   -.300000E+01").s);
    EXPECT_EQ(r.size(), 101U);
}

// ------------------------------------------- a second way to round: text

// Rounds the exact decimal expansion (from printf, digit by digit) to the
// last place the field keeps and lays the F field out from the digits.
std::string reference_fixed(double v, int w, int d, int max_digits) {
    std::vector<char> buf(1500);
    std::snprintf(buf.data(), buf.size(), "%.1100f", std::fabs(v));
    std::string s(buf.data());
    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1);
    const long int_digits = static_cast<long>(point);
    long keep = int_digits + d;  // digits kept, counted from the left
    const std::size_t first = digits.find_first_not_of('0');
    if (first != std::string::npos) keep = std::min(keep, static_cast<long>(first) + max_digits);
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
        long i = keep - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1');
        }
    }
    const long shift = static_cast<long>(kept.size()) - keep;  // 1 when a carry added a digit
    kept.resize(static_cast<std::size_t>(int_digits + d + shift), '0');
    std::string ip = kept.substr(0, static_cast<std::size_t>(int_digits + shift));
    const std::string fp = kept.substr(static_cast<std::size_t>(int_digits + shift));
    ip.erase(0, std::min(ip.find_first_not_of('0'), ip.size()));
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    if (zero && d == 0) ip = "0";
    const std::string text = (std::signbit(v) && !zero ? "-" : "") + ip + "." + fp;
    if (static_cast<int>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

TEST(FormatProperty, FixedMatchesTheDigitByDigitReference) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 200000; ++i) {
        const bool single = i % 2 == 0;
        double v = 0;
        if (single) {
            // any float with a decimal exponent from about -12 to +12
            const std::uint32_t bits = static_cast<std::uint32_t>(rng());
            float f = 0;
            std::uint32_t b = (bits & 0x80FFFFFFU) | ((88U + static_cast<std::uint32_t>(rng() % 80)) << 23);
            std::memcpy(&f, &b, sizeof f);
            v = f;
        } else {
            const std::uint64_t bits = rng();
            std::uint64_t b = (bits & 0x800FFFFFFFFFFFFFULL) | ((1023ULL - 60 + rng() % 120) << 52);
            std::memcpy(&v, &b, sizeof v);
        }
        const int d = static_cast<int>(rng() % 12);
        const int w = d + 1 + static_cast<int>(rng() % 22);
        char format[32];
        std::snprintf(format, sizeof format, "(F%d.%d)", w, d);
        const std::string got = single ? out(format, {Single(v)}) : out(format, {v});
        ASSERT_EQ(got, reference_fixed(v, w, d, single ? 7 : 16)) << format << " of " << v;
    }
}

TEST(FormatProperty, FixedReadsBackWithinHalfAUnit) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const Single v = std::ldexp(mantissa(rng), static_cast<int>(rng() % 40) - 20);
        const int d = static_cast<int>(rng() % 8);
        const int w = 2 + d + static_cast<int>(rng() % 12);
        char format[32];
        std::snprintf(format, sizeof format, "(F%d.%d)", w, d);
        const std::string got = out(format, {v});
        ASSERT_EQ(got.size(), static_cast<std::size_t>(w));
        if (got.find('*') != std::string::npos) {
            ASSERT_EQ(got, std::string(static_cast<std::size_t>(w), '*'));
            ASSERT_GT(std::fabs(v), std::pow(10.0, w - d - 3)) << format << " of " << v;
            continue;
        }
        const double back = std::strtod(got.c_str(), nullptr);
        const double magnitude = std::fabs(static_cast<double>(v));
        const double last_digit = magnitude == 0 ? 0 : std::pow(10.0, std::floor(std::log10(magnitude)) - 6);
        const double unit = std::max(std::pow(10.0, -d), last_digit);
        ASSERT_LE(std::fabs(back - v), 0.5 * unit * (1 + 1e-9)) << format << " of " << v << ": " << got;
        if (back == 0) {
            ASSERT_EQ(got.find('-'), std::string::npos) << got;
        }
    }
}

TEST(FormatProperty, BoundariesOfBinadesAndDecades) {
    // where the decimal exponent estimated from the binary one is tightest
    std::vector<double> values;
    for (int n = -80; n <= 80; ++n) {
        const double two = std::ldexp(1.0, n);
        const double ten = std::pow(10.0, n / 4);
        for (const double v : {two, ten}) {
            values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
            const float f = static_cast<float>(v);
            values.insert(values.end(), {std::nextafter(f, 0.0F), f, std::nextafter(f, 1e30F)});
        }
    }
    for (const double v : values) {
        for (const int d : {0, 2, 5, 9}) {
            const std::string fmt = "(F60." + std::to_string(d) + ")";
            ASSERT_EQ(out(fmt.c_str(), {v}), reference_fixed(v, 60, d, 16)) << v << " " << d;
            ASSERT_EQ(out(fmt.c_str(), {Single(v)}), reference_fixed(Single(v), 60, d, 7)) << v << " " << d;
        }
    }
}

TEST(FormatProperty, ExponentReadsBackWithinHalfAUnit) {
    std::mt19937 rng(5);
    for (int i = 0; i < 50000; ++i) {
        std::uint32_t bits = static_cast<std::uint32_t>(rng());
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        if (!std::isfinite(f) || f == 0) continue;
        const int d = 1 + static_cast<int>(rng() % 10);
        const std::string fmt = "(E" + std::to_string(d + 6) + "." + std::to_string(d) + ")";
        const std::string got = out(fmt.c_str(), {Single(f)});
        const std::size_t point = got.find('.');
        ASSERT_NE(point, std::string::npos) << got;
        ASSERT_NE(got[point + 1], '0') << got;  // a normalised fraction
        ASSERT_EQ(got[point + 1 + static_cast<std::size_t>(d)], 'E') << got;
        const double back = std::strtod(got.c_str(), nullptr);
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(back))) + 1 - std::min(d, 7));
        ASSERT_LE(std::fabs(back - f), 0.5 * unit * (1 + 1e-9)) << fmt << " of " << f << ": " << got;
    }
}

TEST(FormatProperty, ExtremeValuesTakeTheSlowPathCorrectly) {
    const double values[] = {1e-300, 4.9e-324, 1.7976931348623157e308, 123456789.0, 1e22, 1e23, 3.4028235e38};
    for (const double v : values) {
        for (const int d : {0, 3, 20, 40}) {
            const std::string fmt = "(F400." + std::to_string(d) + ")";
            EXPECT_EQ(out(fmt.c_str(), {v}), reference_fixed(v, 400, d, 16)) << v << " " << d;
            if (std::isfinite(static_cast<double>(Single(v)))) {
                EXPECT_EQ(out(fmt.c_str(), {Single(v)}), reference_fixed(Single(v), 400, d, 7)) << v << " " << d;
            }
        }
    }
}

}  // namespace
}  // namespace talik
