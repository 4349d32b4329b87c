// keyed.hpp - one mean-element message as keys and texts, however it was
// encoded (KVN, XML, JSON, CSV), and its conversion into a record.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "elements/elements.hpp"

namespace talik::elements {

// The keys without which a set cannot be read; REV_AT_EPOCH is 0 when
// absent, the name and designator "", the metadata as the reader assumes.
inline constexpr std::string_view REQUIRED_KEYS[] = {
    "EPOCH",        "MEAN_MOTION",  "ECCENTRICITY", "INCLINATION",     "RA_OF_ASC_NODE",  "ARG_OF_PERICENTER",
    "MEAN_ANOMALY", "NORAD_CAT_ID", "BSTAR",        "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"};

struct KeyedText {
    std::string text;
    std::string where;  // "line 14", "entry 3"
};

class KeyedSet {
public:
    // display: the source's name in messages; where: where the set starts.
    KeyedSet(std::string display, std::string where);

    // Keeps the keys the reader uses and drops the others; a key given twice
    // spoils the set.
    void add(std::string_view key, std::string_view text, const std::string& where);
    // Spoils the set with a fault found while collecting it ("line 9: ...").
    void spoil(const std::string& fault);

    const std::string& where() const { return where_; }

    // Converts the set into out.sets, or explains in out.problems why not.
    void deliver(ElementSetsRead& out) const;

private:
    MeanElements convert(ElementSetsRead& out) const;
    std::string display_;
    std::string where_;
    std::map<std::string, KeyedText, std::less<>> fields_;
    std::string fault_;
};

}  // namespace talik::elements
