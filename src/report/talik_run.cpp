// run - the main program: run set-up, prediction loop, end of run.
//
// Given:    deck         Deck     the deck, at its start
//           console      Console  the console
//           report_path  string   where the report file goes (output choice
//                                 8)
// Returned: the report, on the console (output choice 6), in the file (8) or
//           nowhere (any other choice)
// Thrown:   InputError            a deck that cannot be read or describes an
//                                 impossible run
//           OutputError           a report that cannot be opened (after the
//                                 console has received its message) or
//                                 written
//
// Notes:
//  - Set-up reads the output choice and the run line, connects the report,
//    prepares the station, prints the banner, builds the Sun table, reads
//    the element set, prints the run header and makes the first propagation.
//    The loop then, once per step: predicts the step, counts revolutions at
//    northward equator crossings, hands the step to the pager and advances
//    the date-time by the step.
//  - A failure of Kepler's equation is reported on the console where it
//    happens, whatever the output choice.
//  - The report file is replaced only when the whole run succeeds.
#include "report/talik_run.hpp"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "format/pending_file.hpp"
#include "format/report_file.hpp"
#include "geometry/suntab.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/install_elements.hpp"
#include "predict/revolution_counter.hpp"
#include "deck/elminp.hpp"
#include "deck/run_description.hpp"
#include "predict/station.hpp"
#include "predict/step.hpp"
#include "report/formats.hpp"
#include "report/pager.hpp"
#include "time/addtim.hpp"
#include "time/montab.hpp"

namespace talik {

namespace {

// "1995/06/15 00:53:00"
std::string datim_text(const DATIM& dt) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", dt[YEAR], dt[MONTH], dt[DAY], dt[HOUR],
                  dt[MINUTE], dt[SECOND]);
    return text;
}

void write_run_header(Console& console, const RunLine& l, const Station& station) {
    const std::string_view name = STATAB::STNAME(l.ISTA);
    const DATIM& d = l.DTSTRT;
    write(console, report::FMTRUN(),
          {d[0], d[1], d[2], d[3], d[4], d[5], l.ISTEP, l.NCALC, l.ISTA, name.substr(0, 2), name.substr(2, 2),
           name.substr(4, 2), name.substr(6, 2), name.substr(8, 2), station.STLAT, station.STLON});
}

// The report file for output choice 8; the open failure's record goes to
// the console first.
std::unique_ptr<PendingFile> open_report(Console& console, const std::string& report_path) {
    try {
        return PendingFile::create(report_path);
    } catch (const OutputError&) {
        write(console, report::open_error_format(), {report::OPEN_ERROR});
        console.flush();
        // mended: ending the run with status 0 here would tell a batch
        // caller that it succeeded; it is an error.
        throw;
    }
}

// Set-up after the run line: banner, Sun table, element set, decay check,
// run header, first propagation.  Returns the revolution number at the start.
std::int32_t set_up(Deck& deck, Console& console, std::int16_t IOUT, const RunLine& line, RunState& state) {
    const bool to_console = IOUT == IOUT_CONSOLE;
    if (to_console) write(console, report::FMTBAN(), std::span<const Value>{});
    for (const KeplerStatus& k : SUNTAB(line.DTSTRT[YEAR], state.suncom)) report_kepler(console, k);

    std::int32_t NREV = 0;
    ELMINP(line.DTSTRT, NREV, deck, IOUT, console, state.orbel);
    if (line.NCALC > 0) {
        // mended: a decay that takes the orbit down to the Earth's centre
        // within the run leaves no position to report; refused before it.
        check_decay(state.orbel, line.DTSTRT, after_steps(line.DTSTRT, line.NCALC - 1, line.ISTEP),
                    deck.place(deck.records_read(), 1, 10));
    }
    if (to_console) write_run_header(console, line, state.station);
    report_kepler(console, start_orbit(state, line.DTSTRT));
    return NREV;
}

}  // namespace

void run(Deck& deck, Console& console, const std::string& report_path) {
    const std::int16_t IOUT = read_output_choice(deck);
    std::unique_ptr<PendingFile> file;
    std::unique_ptr<ReportFile> report_file;
    // mended: the report sent to a console that was closed when talik
    // started would be lost while the run ends with status 0; it is refused
    // before anything is computed.
    if (IOUT == IOUT_CONSOLE) console.require_open();
    if (IOUT == IOUT_FILE) {
        file = open_report(console, report_path);
        report_file = std::make_unique<ReportFile>(file->stream(), file->cannot_write());
    }
    const RunLine line = read_run_line(deck);
    MONLEN monlen;
    MONTAB(line.DTSTRT, monlen);
    DATIM DTNOW = line.DTSTRT;

    RunState state;
    state.station = prepare_station(line.ISTA);
    state.orbel.ORBSET = 0;
    RevolutionCounter revolutions(set_up(deck, console, IOUT, line, state));

    const auto MINSTP = static_cast<std::int16_t>(line.ISTEP / 60);
    const auto SECSTP = static_cast<std::int16_t>(line.ISTEP - 60 * MINSTP);
    Pager pager(IOUT, console, report_file.get());
    Step step;
    for (std::int32_t K = 1; K <= line.NCALC; ++K) {
        predict_step(state, DTNOW, step);
        if (!step.kepler.converged) report_kepler(console, step.kepler);
        // mended: whatever the element set, a value that is not a number
        // must never reach the report; the run stops with a message instead.
        if (!step.finite()) {
            throw InputError(deck.name(), "the orbit cannot be computed at step " + std::to_string(K) + " (" +
                                              datim_text(DTNOW) +
                                              "): the element set gives a position that is not a number");
        }
        pager.step(step, DTNOW, revolutions.count(step.GLAT));
        ADDTIM(DTNOW, MINSTP, SECSTP, monlen);
    }

    console.flush();
    if (report_file) {
        report_file->flush();
        report_file.reset();
        file->commit();
    }
}

}  // namespace talik
