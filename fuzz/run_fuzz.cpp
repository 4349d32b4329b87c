// run_fuzz.cpp - libFuzzer harness for the whole run.
//
// Input: any bytes, taken as a deck and run as the program runs it, the
// console kept in memory and the report file in a directory of its own.
// A run line asking for more than 200 steps gets 200 (more steps only take
// longer).  Findings, besides crashes and sanitizer reports:
//  - an exception other than InputError (a refused deck);
//  - "NaN" or "Inf" anywhere in the console or the report file;
//  - a refused run that changed the KESTAD.DAT already there, or any file
//    left beside it.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "report/talik_run.hpp"
#include "format/deck.hpp"

namespace {

constexpr std::int32_t MAX_STEPS = 200;
const std::string SENTINEL = "an older report\r\n";

std::string work_dir() {
    static std::string dir = [] {
        char name[] = "/tmp/talik-fuzz-XXXXXX";
        if (::mkdtemp(name) == nullptr) std::abort();
        return std::string(name);
    }();
    return dir;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void finding(const char* what, const std::string& detail) {
    std::fprintf(stderr, "FINDING: %s: %.400s\n", what, detail.c_str());
    std::abort();
}

bool nonfinite(const std::string& text) {
    return text.find("NaN") != std::string::npos || text.find("Inf") != std::string::npos;
}

// Names in the work directory other than the report.
std::string others() {
    std::string names;
    DIR* dir = ::opendir(work_dir().c_str());
    if (dir == nullptr) std::abort();
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != ".." && name != "KESTAD.DAT") names += name + " ";
    }
    ::closedir(dir);
    return names;
}

// Caps the run line's step count at MAX_STEPS, in place: the count's
// columns (36-40 of record 2) are rewritten when the first two records read
// and ask for more.
void cap_steps(std::string& bytes) {
    static const talik::Format FMTOUT("(i2)");
    static const talik::Format FMTRLN("(16I5)");
    talik::Deck deck("FUZZ", bytes);
    std::int32_t ncalc = 0;
    try {
        std::int16_t iout = 0;
        talik::read(deck, FMTOUT, {&iout});
        std::int16_t v[7] = {};
        talik::read(deck, FMTRLN, {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &ncalc});
    } catch (const talik::InputError&) {
        return;
    }
    if (ncalc <= MAX_STEPS) return;
    // Record 2 as the deck cuts it: records end at LF, CR LF or a CR alone.
    const auto line_end = [&bytes](std::size_t from) {
        return std::min(bytes.find_first_of("\r\n", from), bytes.size());
    };
    const std::size_t end1 = line_end(0);  // the count was read, so record 2 exists
    const bool crlf = bytes[end1] == '\r' && end1 + 1 < bytes.size() && bytes[end1 + 1] == '\n';
    const std::size_t record2 = end1 + (crlf ? 2 : 1);
    const std::size_t end = line_end(record2);
    const std::size_t first = record2 + 35;
    const std::size_t last = std::min(record2 + 40, end);
    const std::string count = std::to_string(MAX_STEPS);
    if (last - first < count.size()) std::abort();  // a field this short cannot hold more than 200
    bytes.replace(first, last - first, std::string(last - first - count.size(), ' ') + count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    cap_steps(bytes);

    const std::string report = work_dir() + "/KESTAD.DAT";
    {
        std::ofstream out(report, std::ios::binary | std::ios::trunc);
        out << SENTINEL;
    }
    talik::Deck deck("FUZZ", bytes);
    talik::Console console;
    bool refused = false;
    try {
        talik::run(deck, console, report);
    } catch (const talik::InputError& e) {
        refused = true;
        const std::string what = e.what();
        if (what.find('\n') != std::string::npos) finding("message of more than one line", what);
    } catch (const std::exception& e) {
        finding("unexpected exception", e.what());
    }
    if (nonfinite(console.captured())) finding("NaN or Inf on the console", console.captured());
    const std::string written = slurp(report);
    if (nonfinite(written)) finding("NaN or Inf in KESTAD.DAT", written);
    if (refused && written != SENTINEL) finding("a refused run changed KESTAD.DAT", written);
    const std::string stray = others();
    if (!stray.empty()) finding("files left beside KESTAD.DAT", stray);
    return 0;
}
