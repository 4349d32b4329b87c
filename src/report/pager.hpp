// pager.hpp - the pages of the report.
#pragma once

#include <cstdint>

#include "format/console.hpp"
#include "format/report_file.hpp"
#include "predict/step.hpp"
#include "time/datim.hpp"

namespace talik {

// Owns the page and line counting, the blank line that opens each pass and
// whether the previous step was at or above the horizon; writes the page
// header groups, blank lines and data lines of the steps it is given.
//
// A page holds 47 counted lines (48 when its last step writes a blank line
// and a data line); the count runs the same whatever the output choice, and
// the very first step always starts page 1.
class Pager {
public:
    // The report goes to console when iout is 6, its data lines to file when
    // iout is 8 (file must then be given), nowhere otherwise.
    Pager(std::int16_t iout, Console& console, ReportFile* file);

    // The step's share of the report, step being the step at DTNOW and NREV
    // the revolution number at it.
    void step(const Step& step, const DATIM& DTNOW, std::int32_t NREV);

private:
    void page_header(const Step& step, const DATIM& DTNOW, std::int32_t NREV);

    bool to_console_;
    bool to_file_;
    Console& console_;
    ReportFile* file_;
    std::int16_t NPAGE = 0;
    std::int16_t NLINE = -1;  // negative: a new page is due
    bool previous_above_ = false;
};

}  // namespace talik
