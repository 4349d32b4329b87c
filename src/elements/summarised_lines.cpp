// SummarisedLines::SummarisedLines, SummarisedLines::add,
// SummarisedLines::shown - the problems and warnings of one source: a few
// lines, then a count.
//
// Given:    source   string  the source's name in messages
//           dropped  string  what the summary calls the lines not kept
//                            ("entries refused", "warnings")
//           line     string  one line per entry, as a reader finds it (add)
// Returned: (value)  vector of string
//                            the first LINES_KEPT lines, then, when others
//                            were dropped, "SOURCE: ... and 4999990 more
//                            entries refused" (shown)
//
// Notes:
//  - The summary line names the source like every other line, so
//    talik-deck and talik-passes print it as they print the rest.
#include <utility>

#include "elements/elements.hpp"

namespace talik {

SummarisedLines::SummarisedLines(std::string source, std::string dropped)
    : source_(std::move(source)), dropped_(std::move(dropped)) {}

void SummarisedLines::add(std::string line) {
    if (kept_.size() < LINES_KEPT) kept_.push_back(std::move(line));
    ++count_;
}

std::vector<std::string> SummarisedLines::shown() const {
    std::vector<std::string> lines = kept_;
    if (count_ > kept_.size()) {
        lines.push_back(source_ + ": ... and " + std::to_string(count_ - kept_.size()) + " more " + dropped_);
    }
    return lines;
}

}  // namespace talik
