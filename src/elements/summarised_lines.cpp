// summarised_lines.cpp - the problems and warnings of one source: a few
// lines, then a count.
//
// Given:   lines, one per entry, as a reader finds them.
// Returns: the first LINES_KEPT of them, and the count of all.
// Notes:   the summary line names the source like every other line, so
//          talik-deck and talik-passes print it as they print the rest.
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
