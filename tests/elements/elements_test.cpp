// Element-set reader: format detection, the one-line problems that name the
// file, the place and the field, sources refused whole, and picking sets.
// Values against an independent reader are checked by crosscheck.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "elements/elements.hpp"

namespace talik {
namespace {

// VANGUARD 1 as python3-sgp4's exporter writes it (tests/elements/data).
const std::string LINE1 = "1 00005U 58002B   20287.20333880 -.00000016  00000-0 -22483-4 0  9998";
const std::string LINE2 = "2 00005  34.2443 225.5254 1845686 162.2516 205.2356 10.84869164218149";
const std::string KVN =
    "CCSDS_OMM_VERS = 2.0\nCOMMENT test\nOBJECT_NAME = VANGUARD 1\nOBJECT_ID = 1958-002B\n"
    "EPOCH = 2020-10-13T04:52:48.472320\nMEAN_MOTION = 10.84869164 [rev/day]\nECCENTRICITY = .1845686\n"
    "INCLINATION = 34.2443\nRA_OF_ASC_NODE = 225.5254\nARG_OF_PERICENTER = 162.2516\nMEAN_ANOMALY = 205.2356\n"
    "NORAD_CAT_ID = 5\nREV_AT_EPOCH = 21814\nBSTAR = -.22483E-4\nMEAN_MOTION_DOT = -1.6E-7\nMEAN_MOTION_DDOT = 0\n";

const std::string JSON =
    R"({"OBJECT_NAME": "VANGUARD 1", "OBJECT_ID": "1958-002B", "EPOCH": "2020-10-13T04:52:48.472320",)"
    R"( "MEAN_MOTION": 10.84869164, "ECCENTRICITY": ".1845686", "INCLINATION": 34.2443, "RA_OF_ASC_NODE": 225.5254,)"
    R"( "ARG_OF_PERICENTER": 162.2516, "MEAN_ANOMALY": 205.2356, "NORAD_CAT_ID": 5, "REV_AT_EPOCH": "21814",)"
    R"( "BSTAR": -0.22483E-4, "MEAN_MOTION_DOT": -1.6E-7, "MEAN_MOTION_DDOT": 0, "DECAY_DATE": null})";

auto elements_of(const MeanElements& s) {
    return std::tie(s.catalog_number, s.epoch_us, s.mean_motion, s.eccentricity, s.inclination_deg, s.raan_deg,
                    s.arg_perigee_deg, s.mean_anomaly_deg, s.mean_motion_dot, s.mean_motion_ddot, s.bstar,
                    s.rev_at_epoch);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string repeated(const std::string& text, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += text;
    return out;
}

// The KVN set as an XML message named name, declaring encoding (none if "").
std::string xml_of(const std::string& name, const std::string& encoding) {
    std::string keys;
    for (std::size_t pos = KVN.find("OBJECT_ID"); pos < KVN.size();) {
        const std::size_t end = KVN.find('\n', pos);
        const std::string line = KVN.substr(pos, end - pos);
        const std::string key = line.substr(0, line.find(' '));
        const std::string value = line.substr(line.find('=') + 2);
        keys += "<" + key + ">" + value.substr(0, value.find(" [")) + "</" + key + ">";
        pos = end + 1;
    }
    return "<?xml version=\"1.0\"" + (encoding.empty() ? "" : " encoding=\"" + encoding + "\"") +
           "?>\n<omm>\n<body><segment><metadata><OBJECT_NAME>" + name + "</OBJECT_NAME>" + keys +
           "</metadata></segment></body></omm>\n";
}

// Each byte of a Latin-1 text (its code point) as a code unit of width bytes.
std::string widened(const std::string& latin1, std::size_t width, bool big_endian) {
    std::string out;
    for (const char c : latin1) {
        std::string unit(width, '\0');
        unit[big_endian ? width - 1 : 0] = c;
        out += unit;
    }
    return out;
}

TEST(ElementFormat, IsRecognisedFromTheContent) {
    const std::string tle = LINE1 + "\n" + LINE2 + "\n";
    const struct {
        std::string text;
        std::optional<ElementFormat> format;
    } cases[] = {
        {tle, ElementFormat::TwoLine},
        {"\n0 VANGUARD 1\r\n" + tle, ElementFormat::TwoLine},
        {"1 ABC SAT\r" + LINE1 + "\r" + LINE2 + "\r", ElementFormat::TwoLine},
        {"\xEF\xBB\xBF  <?xml version=\"1.0\"?><ndm/>", ElementFormat::Xml},
        {std::string("\xFF\xFE<\0n\0", 6), ElementFormat::Xml},
        {std::string("\0<\0n", 4), ElementFormat::Xml},
        {" [ ]", ElementFormat::Json},
        {"{\"EPOCH\": 1}", ElementFormat::Json},
        {"COMMENT a\nCOMMENT b\nCOMMENT c\n\nCCSDS_OMM_VERS = 2.0\n", ElementFormat::Kvn},
        {"COMMENT a\rCCSDS_OMM_VERS = 2.0\r", ElementFormat::Kvn},
        {"OBJECT_NAME,\"EPOCH\",MEAN_MOTION\n", ElementFormat::Csv},
        {"OBJECT_NAME,EPOCH\rX,2020-01-01T00:00:00\r", ElementFormat::Csv},
        {"OBJECT_NAME;EPOCH\n", std::nullopt},
        {"hello\nworld\n" + tle, std::nullopt},
        {" \r\n\t", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(detect_element_format(c.text), c.format) << c.text;
}

TEST(ElementSets, AnEncodingReadsLikeItsTwin) {
    const ElementSetsRead tle = read_element_sets("v.3le", "0 VANGUARD 1\r\n" + LINE1 + "  \r\n" + LINE2 + "\r\n");
    const ElementSetsRead kvn = read_element_sets("v.kvn", KVN);
    const ElementSetsRead json = read_element_sets("v.json", "[7, " + JSON + "]");
    ASSERT_EQ(tle.sets.size(), 1U);
    ASSERT_EQ(kvn.sets.size(), 1U);
    ASSERT_EQ(json.sets.size(), 1U);
    const MeanElements& a = tle.sets[0];
    EXPECT_EQ(a.name, "VANGUARD 1");
    EXPECT_EQ(a.object_id, "58002B");
    EXPECT_EQ(a.source, "v.3le, line 1");
    EXPECT_EQ(kvn.sets[0].source, "v.kvn, line 1");
    EXPECT_EQ(json.sets[0].source, "v.json, entry 2");
    EXPECT_EQ(a.epoch_us, 1602564768472320);  // 2020-10-13T04:52:48.472320
    EXPECT_EQ(elements_of(a), elements_of(kvn.sets[0]));
    EXPECT_EQ(elements_of(a), elements_of(json.sets[0]));
    // Day of the year, a UTC mark and digits past the microsecond, rounded to the nearest.
    for (const char* epoch : {"2020-287T04:52:48.47231950Z", "2020-10-13T04:52:48.4723204999"}) {
        const ElementSetsRead other = read_element_sets("e.kvn", replaced(KVN, "2020-10-13T04:52:48.472320", epoch));
        ASSERT_EQ(other.sets.size(), 1U) << epoch;
        EXPECT_EQ(other.sets[0].epoch_us, a.epoch_us) << epoch;
    }
    // A letter for the first digit of the number (same checksum): Alpha-5.
    const ElementSetsRead alpha5 =
        read_element_sets("a.tle", replaced(LINE1, "00005", "A0005") + "\n" + replaced(LINE2, "00005", "A0005"));
    ASSERT_EQ(alpha5.sets.size(), 1U);
    EXPECT_EQ(alpha5.sets[0].catalog_number, 100005);
    // Line ends of any system, names a set's structure tells from its lines,
    // and XML in the encodings it declares (U+00C9 is C3 89 in UTF-8).
    const std::string csv_header = "OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
                                   "ARG_OF_PERICENTER,MEAN_ANOMALY,NORAD_CAT_ID,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,"
                                   "MEAN_MOTION_DDOT";
    const std::string csv_row = "VANGUARD 1,2020-10-13T04:52:48.472320,10.84869164,.1845686,34.2443,225.5254,"
                                "162.2516,205.2356,5,21814,-.22483E-4,-1.6E-7,0";
    std::string kvn_cr = KVN;
    std::replace(kvn_cr.begin(), kvn_cr.end(), '\n', '\r');
    const std::string cafe = xml_of("CAF\xC9", "");
    std::string surrogates = "\xFF\xFE" + widened(cafe, 2, false);
    surrogates = replaced(surrogates, std::string("\xC9\0", 2), std::string("\x3D\xD8\0\xDE", 4));  // U+1F600
    const struct {
        std::string text;
        std::string name;
    } twins[] = {
        {"0 VANGUARD 1\r" + LINE1 + "\r" + LINE2, "VANGUARD 1"},
        {"1 ABC SAT\n" + LINE1 + "\n" + LINE2 + "\n", "1 ABC SAT"},
        {"2 B\n" + LINE1 + "\n" + LINE2 + "\n", "2 B"},
        {kvn_cr, "VANGUARD 1"},
        {csv_header + "\r" + csv_row + "\r", "VANGUARD 1"},
        {xml_of("CAF\xC3\x89", "utf-8"), "CAF\xC3\x89"},
        {xml_of("CAF\xC9", "ISO-8859-1"), "CAF\xC3\x89"},
        {"\xFF\xFE" + widened(xml_of("CAF\xC9", "UTF-16"), 2, false), "CAF\xC3\x89"},
        {widened(xml_of("CAF\xC9", ""), 2, true), "CAF\xC3\x89"},
        {std::string("\0\0\xFE\xFF", 4) + widened(cafe, 4, true), "CAF\xC3\x89"},
        {surrogates, "CAF\xF0\x9F\x98\x80"},
    };
    for (const auto& twin : twins) {
        const ElementSetsRead read = read_element_sets("t", twin.text);
        EXPECT_TRUE(read.problems.empty()) << twin.text;
        ASSERT_EQ(read.sets.size(), 1U) << twin.text;
        EXPECT_EQ(read.sets[0].name, twin.name);
        EXPECT_EQ(elements_of(read.sets[0]), elements_of(a)) << twin.text;
    }
}

TEST(ElementSets, ABadSetIsSkippedWithOneLineNamingFileLineAndField) {
    const std::string line2 = "\n" + LINE2 + "\n";
    const struct {
        std::string name;
        std::string text;
        std::string problem;
    } cases[] = {
        {"iss.tle", LINE1 + "\n" + replaced(LINE2, "218149", "218140"), "iss.tle: line 2: checksum 0, expected 9"},
        {"t", LINE1.substr(0, 60) + line2, "t: line 1: 60 columns, a line of a two-line set has 69"},
        {"t", replaced(LINE1, "20287", "20827") + line2,
         "t: line 1, columns 19-32 (epoch): \"20827.20333880\": day 827 of 2020 does not exist"},
        {"t", LINE1 + "\n" + replaced(LINE2, "10.8", "1x.8"),
         "t: line 2, columns 53-63 (mean motion): \"1x.84869164\" is not a number"},
        {"t", LINE1 + "\n" + replaced(LINE2, "00005", "00050"),
         "t: line 2, columns 3-7 (catalogue number): \"00050\" differs from line 1's \"00005\""},
        {"t", replaced(LINE1, " 00000-0 -22483-4", " 00000-0-22483-4 ") + line2,
         "t: line 1, column 53: \"-\" where a blank separates the fields"},
        {"t", LINE1 + line2 + "NAME\n", "t: line 3: no line 1 of a two-line set follows this name line"},
        {"t", LINE1 + "\n" + LINE1 + line2, "t: line 1: line 1 of a two-line set without its line 2"},
        {"t", "1 ABC SAT\n" + LINE1 + "\n" + replaced(LINE2, "218149", "218140"), "t: line 3: checksum 0, expected 9"},
        {"t", LINE1 + "\r" + replaced(LINE2, "10.8", "1x.8"),
         "t: line 2, columns 53-63 (mean motion): \"1x.84869164\" is not a number"},
        {"k", replaced(KVN, ".1845686", "1.2"), "k: line 7: ECCENTRICITY: \"1.2\" is outside [0, 1)"},
        {"k", replaced(KVN, "MEAN_MOTION = 10.84869164 [rev/day]\n", ""), "k: line 1: MEAN_MOTION: missing"},
        {"k", replaced(KVN, "2020-10-13", "2021-02-29"),
         "k: line 5: EPOCH: \"2021-02-29T04:52:48.472320\" is not a date and time that exists"},
        {"k", KVN + "REF_FRAME = GCRF\n", "k: line 17: REF_FRAME: \"GCRF\": only sets in the TEME frame are read"},
        {"k", KVN + "BSTAR = 0\n", "k: line 17: BSTAR given a second time (first at line 14)"},
        {"k", "COMMENT x\n" + KVN + "MEAN_ELEMENT_THEORY = DSST\n",
         "k: line 18: MEAN_ELEMENT_THEORY: \"DSST\": only SGP4 mean elements are read"},
        {"j", replaced(JSON, R"("EPOCH": "2020-10-13T04:52:48.472320",)", ""), "j: entry 1: EPOCH: missing"},
        {"j", "[7, " + JSON + "]", "j: entry 1: not an object of a set's keys"},
        {"c",
         "EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,NORAD_CAT_ID,"
         "BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n\n2020-01-01T00:00:00,\"-1\",0,0,0,0,0,1,0,0,0\r\n",
         "c: line 3: MEAN_MOTION: \"-1\" is not above 0"},
        {"c",
         "EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,NORAD_CAT_ID,"
         "BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT,NOTE\r\r2020-01-01T00:00:00,1,0,0,0,0,0,1,0,0,0,\"a\rb\"\r"
         "2020-01-01T00:00:00,-1,0,0,0,0,0,1,0,0,0,c\r",
         "c: line 5: MEAN_MOTION: \"-1\" is not above 0"},
        {"c",
         "EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,NORAD_CAT_ID,"
         "BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n2020-01-01T00:00:00,\"1,5\"\n",
         "c: line 2: 2 fields, the header has 11"},
    };
    for (const auto& c : cases) {
        const ElementSetsRead read = read_element_sets(c.name, c.text);
        EXPECT_EQ(read.problems.shown(), std::vector<std::string>{c.problem}) << c.text;
    }
}

TEST(ElementSets, ManyBadEntriesAreSummarisedAfterAFewLines) {
    constexpr std::size_t ENTRIES = 25;
    const std::string bad_set = LINE1 + "\n" + replaced(LINE2, "218149", "218140") + "\n";
    const struct {
        std::string text;
        std::size_t entries;
    } cases[] = {
        {repeated(bad_set, ENTRIES), ENTRIES},
        {repeated("CCSDS_OMM_VERS = 2.0\r", ENTRIES), ENTRIES},
        {"<ndm>" + repeated("<omm/>", ENTRIES) + "</ndm>", ENTRIES},
        {"[0" + repeated(",{}", ENTRIES - 1) + "]", ENTRIES},
        {"EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,NORAD_CAT_ID,"
         "BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n" +
             repeated("x\n", ENTRIES),
         ENTRIES},
        {repeated(bad_set, LINES_KEPT) + LINE1 + "\n" + LINE2 + "\n", LINES_KEPT},
        // As many nodes as an XML document of its size may hold: read.
        {"<ndm>" + repeated("<a/>", XML_NODES_FLOOR - 1) + "</ndm>", 0},
    };
    for (const auto& c : cases) {
        const ElementSetsRead read = read_element_sets("f", c.text);
        EXPECT_EQ(read.problems.count(), c.entries) << c.text.substr(0, 80);
        const std::vector<std::string> shown = read.problems.shown();
        ASSERT_EQ(shown.size(), std::min(c.entries, LINES_KEPT + 1)) << c.text.substr(0, 80);
        for (const std::string& line : shown) EXPECT_TRUE(line.starts_with("f: ")) << line;
        if (c.entries > LINES_KEPT) {
            EXPECT_EQ(shown.back(), "f: ... and " + std::to_string(c.entries - LINES_KEPT) + " more entries refused");
            EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.end() - 1), read.problems.kept());
        }
    }
    const ElementSetsRead extended = read_element_sets("k", repeated(KVN + "MEAN_ELEMENT_THEORY = SGP4-XP\n", 12));
    EXPECT_EQ(extended.sets.size(), 12U);
    EXPECT_EQ(extended.warnings.shown().back(), "k: ... and 2 more warnings");
}

TEST(ElementSets, Sgp4ExtendedElementsAreReadWithAWarning) {
    const ElementSetsRead read = read_element_sets("k", KVN + "MEAN_ELEMENT_THEORY = SGP4-XP\n");
    EXPECT_EQ(read.sets.size(), 1U);
    EXPECT_EQ(read.warnings.shown(),
              std::vector<std::string>{
                  "k: line 1: MEAN_ELEMENT_THEORY SGP4-XP: the elements are read as SGP4 mean elements"});
}

TEST(ElementSets, ASourceThatCannotBeReadIsRefusedInOneLine) {
    const struct {
        std::string text;
        std::string message;  // the start of it, when the rest is the parser's own words
    } cases[] = {
        {"", "f: empty, no element set"},
        {"hello\n", "f: not an element-set source (two-line sets, or mean-element messages in KVN, XML, JSON or CSV "
                    "with a header)"},
        {"\n1 " + std::string(5000, 'x') + "\n2 \n", "f: line 2: longer than 4096 bytes, not an element-set source"},
        {"<ndm>\n<omm>\n</ndm>", "f: line 3: not well-formed XML (Start-end tags mismatch)"},
        {"<oem/>", "f: line 1: the document is \"<oem>\", not <ndm> or <omm>"},
        {"[{\"EPOCH\": 1},\n{\"EPOCH\" 2}]", "f: line 2: not valid JSON: parse error at line 2, column 10"},
        {std::string(100, '[') + std::string(100, ']'), "f: nested deeper than 64 levels, not a list of element sets"},
        {"OBJECT_NAME,EPOCH\nX,2020-01-01T00:00:00\n", "f: line 1: the header has no column MEAN_MOTION"},
        {std::string(MAX_ELEMENT_SOURCE_BYTES + 1, '['), "f: larger than 64 MiB"},
        {"EPOCH" + repeated(",X", MAX_CSV_COLUMNS) + "\n", "f: line 1: the header has more than 1024 columns"},
        {"<ndm>" + repeated("<a/>", XML_NODES_FLOOR) + "</ndm>",
         "f: line 1: more XML elements, texts and attributes than one per 16 bytes (65536)"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE ndm [<!ENTITY xxe \"5\">]>\n<ndm/>", "f: line 2: a DOCTYPE"},
        {xml_of("X", "windows-1252"), "f: line 1: the XML encoding \"windows-1252\" is not read"},
        {"\xEF\xBB\xBF" + xml_of("X", "ISO-8859-1"),
         "f: line 1: the XML declaration names the encoding \"ISO-8859-1\", but the text is UTF-8 with its byte order "
         "mark"},
        {"\xFF\xFE" + widened("<ndm>\n", 2, false) + std::string("\0\xDC", 2), "f: line 2: not UTF-16LE"},
    };
    for (const auto& c : cases) {
        try {
            read_element_sets("f", c.text);
            ADD_FAILURE() << "read: " << c.message;
        } catch (const InputError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.substr(0, c.message.size()), c.message);
            EXPECT_EQ(what.find('\n'), std::string::npos) << what;
        }
    }
    EXPECT_THROW(read_element_file("/nonexistent/sets.tle"), InputError);
}

TEST(ElementSets, SelectingByNumberNameDesignatorOrUniqueStart) {
    std::vector<MeanElements> sets(5);
    const std::pair<const char*, std::int32_t> objects[] = {
        {"ISS (ZARYA)", 25544}, {"ISS DEB", 47000}, {"ISS (ZARYA)", 25544}, {"HST", 20580}, {"ISS", 100001}};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        sets[i].name = objects[i].first;
        sets[i].catalog_number = objects[i].second;
        sets[i].object_id = i == 3 ? "1990-037B" : "";
    }
    const auto numbers = [&](std::string_view query) {
        std::vector<std::int32_t> found;
        for (const MeanElements& set : select_sets(sets, query)) found.push_back(set.catalog_number);
        return found;
    };
    EXPECT_EQ(numbers("25544"), (std::vector<std::int32_t>{25544, 25544}));
    EXPECT_EQ(numbers(" A0001 "), (std::vector<std::int32_t>{100001}));
    EXPECT_EQ(numbers("iss"), (std::vector<std::int32_t>{100001}));
    EXPECT_EQ(numbers("iss (z"), (std::vector<std::int32_t>{25544, 25544}));
    EXPECT_EQ(numbers("1990-037b"), (std::vector<std::int32_t>{20580}));
    EXPECT_EQ(numbers("GOES"), std::vector<std::int32_t>{});
    EXPECT_THROW(numbers("IS"), InputError);
}

}  // namespace
}  // namespace talik
