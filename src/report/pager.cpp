// Pager::Pager, Pager::step - the pages of the report: page header groups,
// blank lines before passes and data lines.
//
// Given:    iout     int16        output choice: IOUT_CONSOLE sends the
//                                 report to the console, IOUT_FILE its data
//                                 lines to the file, any other nowhere
//           console  Console      the console
//           file     ReportFile*  the report file; not null for IOUT_FILE
//           step     Step         the step at DTNOW (step)
//           DTNOW    DATIM        its date-time, UT (step)
//           NREV     int32        the revolution number at it (step)
// Returned: the step's share of the report: a page header group when a page
//           starts, a blank line when a pass opens, its data line when the
//           satellite is visible
// Thrown:   InternalError         IOUT_FILE without a file
//
// Notes:
//  - A page holds 47 counted lines (48 when its last step writes a blank
//    line and a data line); the count runs the same whatever the output
//    choice, and the very first step always starts page 1.
//  - The page header shows the date-time, the revolution number and the
//    elements of the step that opens the page, and the sidereal angle as a
//    time of day: hours, minutes and seconds, each stage truncated.
//  - A pass opens with a blank line on the console when the step before was
//    below the horizon (or not examined, or there was none); the blank line
//    counts whether or not it is written.
#include "report/pager.hpp"

#include <span>

#include "numeric/intrinsics.hpp"
#include "deck/run_line.hpp"
#include "report/formats.hpp"

namespace talik {

namespace {

constexpr std::span<const Value> NO_ITEMS{};
constexpr std::int16_t LINES_PER_PAGE = 46;  // counted lines after the header, less one

}  // namespace

Pager::Pager(std::int16_t iout, Console& console, ReportFile* file)
    : to_console_(iout == IOUT_CONSOLE), to_file_(iout == IOUT_FILE), console_(console), file_(file) {
    if (to_file_ && file_ == nullptr) throw InternalError("Pager: output choice 8 without a report file");
}

void Pager::page_header(const Step& s, const DATIM& DTNOW, std::int32_t NREV) {
    // Sidereal time as a time of day; every stage truncates.
    const Single H = s.GST / 15.0;
    const auto IGSTH = static_cast<std::int16_t>(INT(H));
    const Single M = (H - IGSTH) * 60.0;
    const auto IGSTM = static_cast<std::int16_t>(INT(M));
    const auto IGSTS = static_cast<std::int16_t>(INT((M - IGSTM) * 60.0));
    const ORBOUT& o = s.orbout;
    write(console_, report::FMTPAG(),
          {NPAGE, DTNOW[0], DTNOW[1], DTNOW[2], DTNOW[3], DTNOW[4], DTNOW[5], NREV, IGSTH, IGSTM, IGSTS});
    write(console_, report::FMTEL1(), {o[0], o[1], o[2], o[3], o[4], o[5]});
    write(console_, report::FMTEL2(), {o[6], o[7], o[8], o[9], o[10], o[11], o[12]});
    write(console_, report::FMTCH1(), NO_ITEMS);
    write(console_, report::FMTCH2(), NO_ITEMS);
}

void Pager::step(const Step& s, const DATIM& DTNOW, std::int32_t NREV) {
    if (NLINE < 0) {
        ++NPAGE;
        NLINE = LINES_PER_PAGE;
        if (to_console_) page_header(s, DTNOW, NREV);
    }
    if (s.visible()) {
        if (!previous_above_) {
            if (to_console_) write(console_, report::FMTBLK(), NO_ITEMS);
            --NLINE;
        }
        if (to_console_ || to_file_) {
            Unit& unit = to_console_ ? static_cast<Unit&>(console_) : static_cast<Unit&>(*file_);
            const Look& l = s.look;
            write(unit, to_console_ ? report::FMTCON() : report::FMTFIL(),
                  {NREV, DTNOW[0], DTNOW[1], DTNOW[2], DTNOW[3], DTNOW[4], DTNOW[5], " ", l.MARK2, s.HGT, s.GLAT,
                   s.GLON, l.ELEV, l.AZIM, l.RANGE, s.ANTMK, s.SHADMK});
        }
        --NLINE;
    }
    previous_above_ = s.look.above_horizon;
}

}  // namespace talik
