// Formatting speed of the data lines, the one hot path of the report.
// Target: at least 2 million file lines per second on one core.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "format/console.hpp"
#include "format/report_file.hpp"
#include "format/format.hpp"

namespace {

using talik::Single;
using talik::Value;

// A run's data line with typical values, in the order both layouts take.
const Value LINE[] = {std::int32_t{12345},
                      std::int16_t{1995},
                      std::int16_t{6},
                      std::int16_t{15},
                      std::int16_t{12},
                      std::int16_t{34},
                      std::int16_t{56},
                      " ",
                      "S",
                      Single(621.84F),
                      Single(-45.67F),
                      Single(123.45F),
                      Single(12.34F),
                      Single(234.56F),
                      Single(1234.5F),
                      "A",
                      "D"};

void BM_FileDataLine(benchmark::State& state) {
    const talik::Format format("(2I5,2('/',I2),I3,2(':',I2),2A1,5F7.2,F7.1,1X,A1,1X,A1)");
    talik::ReportFile file;
    std::int64_t lines = 0;
    for (auto _ : state) {
        talik::write(file, format, LINE);
        if (++lines % 4096 == 0) file.clear();
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_FileDataLine);

void BM_ConsoleDataLine(benchmark::State& state) {
    const talik::Format format("(I6,I5,2('/',I2),I3,2(':',I2),10X,2A1,2F7.2,4F8.2,5X,A1,1X,A1)");
    talik::Console console;
    std::int64_t lines = 0;
    for (auto _ : state) {
        talik::write(console, format, LINE);
        if (++lines % 4096 == 0) console.clear();
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_ConsoleDataLine);

// One F field alone, to see the conversion's own cost.
void BM_FixedField(benchmark::State& state) {
    const talik::Format format("(F8.2)");
    const Value value[] = {Single(-1234.567F)};
    talik::ReportFile file;
    std::int64_t n = 0;
    for (auto _ : state) {
        talik::write(file, format, value);
        if (++n % 4096 == 0) file.clear();
    }
    state.SetItemsProcessed(n);
}
BENCHMARK(BM_FixedField);

}  // namespace
