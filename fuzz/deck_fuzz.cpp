// deck_fuzz.cpp - libFuzzer harness for the deck reader.
//
// Input: any bytes, taken as a deck.  Reads them with the program's three
// input formats in the program's order, then once more with formats that
// take the other paths of the field reader (decimals, exponent, one-column
// fields).  A deck the reader cannot take must end in an InputError whose
// message is one line naming the deck; anything else (another exception,
// a crash, a sanitizer report) is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "format/deck.hpp"

namespace {

void expect_one_line(const talik::InputError& e) {
    const std::string what = e.what();
    if (what.rfind("FUZZ", 0) != 0 || what.find('\n') != std::string::npos || what.find('\r') != std::string::npos) {
        std::fprintf(stderr, "malformed message: %s\n", what.c_str());
        std::abort();
    }
}

void program_reads(const std::string& bytes) {
    static const talik::Format FMTOUT("(i2)");
    static const talik::Format FMTRLN("(16I5)");
    static const talik::Format INFMT("(7I5/6F10.0/5F10.0)");
    talik::Deck deck("FUZZ", bytes);
    try {
        std::int16_t iout = 0;
        talik::read(deck, FMTOUT, {&iout});
        std::int16_t dt[6] = {};
        std::int16_t istep = 0;
        std::int32_t ncalc = 0;
        std::int16_t ista = 0;
        talik::read(deck, FMTRLN, {&dt[0], &dt[1], &dt[2], &dt[3], &dt[4], &dt[5], &istep, &ncalc, &ista});
        std::int16_t e[6] = {};
        std::int32_t n0 = 0;
        talik::Single r[10];
        talik::read(deck, INFMT,
                    {&e[0], &e[1], &e[2], &e[3], &e[4], &e[5], &n0, &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6],
                     &r[7], &r[8], &r[9]});
        for (const talik::Single& x : r) {
            // A real read from text is a number; a too-large one is refused.
            if (std::isnan(static_cast<double>(x)) || std::isinf(static_cast<double>(x))) std::abort();
        }
    } catch (const talik::InputError& e) {
        expect_one_line(e);
    }
}

void other_reads(const std::string& bytes) {
    static const talik::Format OTHER("(2F7.3,E12.4,I1,F3.1/E10.2,1X,I10)");
    talik::Deck deck("FUZZ", bytes);
    try {
        talik::Single a;
        talik::Single b;
        double c = 0.0;
        std::int16_t d = 0;
        double f = 0.0;
        talik::Single g;
        std::int32_t h = 0;
        talik::read(deck, OTHER, {&a, &b, &c, &d, &f, &g, &h});
        for (const double x : {double(a), double(b), c, f, double(g)}) {
            if (std::isnan(x) || std::isinf(x)) std::abort();
        }
    } catch (const talik::InputError& e) {
        expect_one_line(e);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    program_reads(bytes);
    other_reads(bytes);
    return 0;
}
