// formats.hpp - the formats of every record the report holds, but the
// element listing's (list_element_set).
#pragma once

#include "format/format.hpp"
#include "orbit/kepler.hpp"

namespace talik::report {

// Banner: new page, six empty lines, the title, two empty lines.
const Format& FMTBAN();
// Run header: start time, step, number of steps, station and its position.
const Format& FMTRUN();
// Page header group, in the order written when a page starts.
const Format& FMTPAG();
const Format& FMTEL1();
const Format& FMTEL2();
const Format& FMTCH1();
const Format& FMTCH2();
// Blank line that opens a pass on the console.
const Format& FMTBLK();
// Data line on the console (with its control column) and in the file.
const Format& FMTCON();
const Format& FMTFIL();
// The one-item format of the open-failure message.
const Format& open_error_format();
// The line of a solution of Kepler's equation that did not converge.
const Format& kepler_warning_format();

inline constexpr const char* OPEN_ERROR = "=== OUTPUT FILE OPEN ERROR!";

}  // namespace talik::report

namespace talik {

// Writes the non-convergence line of a Kepler solution that did not
// converge (nothing for one that did).
void report_kepler(Unit& unit, const KeplerStatus& status);

}  // namespace talik
