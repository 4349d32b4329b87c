// pager.hpp - the pages of the report.
#pragma once

#include <cstdint>

#include "format/console.hpp"
#include "format/report_file.hpp"
#include "predict/step.hpp"
#include "time/datim.hpp"

namespace talik {

// Owns the page and line counting and whether the previous step was at or
// above the horizon; writes the report of the steps it is given.
class Pager {
public:
    // The report goes to console, its data lines to file, or nowhere, as
    // the output choice iout says.
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
