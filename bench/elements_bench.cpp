// Reading speed of the element-set readers: a catalogue of 10000 copies of
// one set in each encoding, read from memory.
// Target: a public catalogue (some 30000 sets) within a second, i.e. at
// least 50000 sets a second in every encoding, on one core.
#include <benchmark/benchmark.h>

#include <string>

#include "elements/elements.hpp"

namespace {

constexpr int COPIES = 10000;

const char* const SET_KEYS[] = {"OBJECT_NAME",     "OBJECT_ID",       "EPOCH",          "MEAN_MOTION",
                                "ECCENTRICITY",    "INCLINATION",     "RA_OF_ASC_NODE", "ARG_OF_PERICENTER",
                                "MEAN_ANOMALY",    "NORAD_CAT_ID",    "REV_AT_EPOCH",   "BSTAR",
                                "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"};
const char* const SET_VALUES[] = {"VANGUARD 1",  "1958-002B", "2020-10-13T04:52:48.472320",
                                  "10.84869164", ".1845686",  "34.2443",
                                  "225.5254",    "162.2516",  "205.2356",
                                  "5",           "21814",     "-.22483E-4",
                                  "-1.6E-7",     "0"};

std::string catalogue(talik::ElementFormat format) {
    std::string one;
    std::string text = format == talik::ElementFormat::Xml ? "<ndm>" : format == talik::ElementFormat::Json ? "[" : "";
    if (format == talik::ElementFormat::Csv) {
        for (const char* key : SET_KEYS) text += std::string(key) + (key == SET_KEYS[13] ? "\n" : ",");
    }
    for (std::size_t i = 0; i < std::size(SET_KEYS); ++i) {
        const std::string key = SET_KEYS[i], value = SET_VALUES[i];
        switch (format) {
        case talik::ElementFormat::Kvn: one += key + " = " + value + "\n"; break;
        case talik::ElementFormat::Xml: one += "<" + key + ">" + value + "</" + key + ">"; break;
        case talik::ElementFormat::Json: one += (i == 0 ? "{\"" : ",\"") + key + "\":\"" + value + "\""; break;
        default: one += value + std::string(i + 1 < std::size(SET_KEYS) ? "," : "\n"); break;
        }
    }
    if (format == talik::ElementFormat::TwoLine) {
        one = "VANGUARD 1\n1 00005U 58002B   20287.20333880 -.00000016  00000-0 -22483-4 0  9998\n"
              "2 00005  34.2443 225.5254 1845686 162.2516 205.2356 10.84869164218149\n";
    }
    if (format == talik::ElementFormat::Kvn) one = "CCSDS_OMM_VERS = 2.0\n" + one;
    if (format == talik::ElementFormat::Xml)
        one = "<omm><body><segment><metadata/><data><meanElements>" + one +
              "</meanElements></data></segment></body></omm>";
    for (int i = 0; i < COPIES; ++i) text += (format == talik::ElementFormat::Json && i > 0 ? "}," : "") + one;
    return text + (format == talik::ElementFormat::Xml ? "</ndm>" : format == talik::ElementFormat::Json ? "}]" : "");
}

void BM_ReadCatalogue(benchmark::State& state) {
    const auto format = static_cast<talik::ElementFormat>(state.range(0));
    const std::string text = catalogue(format);
    for (auto _ : state) {
        const talik::ElementSetsRead read = talik::read_element_sets("bench", text);
        if (read.sets.size() != COPIES) state.SkipWithError("a set was not read");
        benchmark::DoNotOptimize(read.sets.data());
    }
    state.SetItemsProcessed(state.iterations() * COPIES);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadCatalogue)->DenseRange(0, 4)->ArgNames({"format"})->Unit(benchmark::kMillisecond);

}  // namespace
