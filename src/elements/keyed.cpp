// KeyedSet::KeyedSet, KeyedSet::add, KeyedSet::spoil, KeyedSet::deliver -
// a mean-element message held as keys and texts, converted into a record
// with the checks every encoding shares.
//
// Given:    display  string           the source's name in messages
//           where    string           where the set starts ("line 14",
//                                     "entry 3"); where a key's text stood
//                                     (add)
//           key      string_view      a key of the message (add)
//           text     string_view      its text (add)
//           fault    string           a fault found while collecting the
//                                     set, "line 9: ..." (spoil)
//           out      ElementSetsRead  what has been read so far (deliver)
// Returned: out      ElementSetsRead  deliver: the set as a MeanElements in
//                                     out.sets, or one problem line in
//                                     out.problems naming the source, the
//                                     place and the key (the set's first
//                                     fault, the first key missing, or the
//                                     first field refused); a warning for
//                                     SGP4-XP elements
//
// Notes:
//  - add keeps only the keys the reader uses; a key given twice spoils the
//    set, as does a fault given to spoil; the first fault is the one told.
//  - Sets from JSON and CSV usually carry no CENTER_NAME, REF_FRAME,
//    TIME_SYSTEM or MEAN_ELEMENT_THEORY; an absent one is taken as EARTH,
//    TEME, UTC and SGP4, a present one is checked whatever the encoding.
//    REV_AT_EPOCH is 0 when absent, the name and designator "".
#include "elements/keyed.hpp"
#include "format/text.hpp"

#include <algorithm>
#include <utility>

#include "elements/fields.hpp"

namespace talik::elements {

namespace {

constexpr std::string_view KEYS[] = {
    "OBJECT_NAME",     "OBJECT_ID",         "EPOCH",        "MEAN_MOTION",  "ECCENTRICITY", "INCLINATION",
    "RA_OF_ASC_NODE",  "ARG_OF_PERICENTER", "MEAN_ANOMALY", "NORAD_CAT_ID", "REV_AT_EPOCH", "BSTAR",
    "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT",  "CENTER_NAME",  "REF_FRAME",    "TIME_SYSTEM",  "MEAN_ELEMENT_THEORY"};

// Catalogue and revolution numbers of a message: nine digits at most.
constexpr std::int32_t MAX_MESSAGE_NUMBER = 999'999'999;

struct RequiredValue {
    std::string_view key;
    std::string_view value;
    std::string_view refusal;
};
constexpr RequiredValue REQUIRED_METADATA[] = {
    {"CENTER_NAME", "EARTH", "only sets about the Earth are read"},
    {"REF_FRAME", "TEME", "only sets in the TEME frame are read"},
    {"TIME_SYSTEM", "UTC", "only sets with UTC epochs are read"},
};
constexpr std::string_view THEORY = "SGP4";
constexpr std::string_view EXTENDED_THEORY = "SGP4-XP";

}  // namespace

KeyedSet::KeyedSet(std::string display, std::string where) : display_(std::move(display)), where_(std::move(where)) {}

void KeyedSet::add(std::string_view key, std::string_view text, const std::string& where) {
    if (std::find(std::begin(KEYS), std::end(KEYS), key) == std::end(KEYS)) return;
    const auto [it, added] = fields_.try_emplace(std::string(key), KeyedText{std::string(text), where});
    if (!added) spoil(where + ": " + std::string(key) + " given a second time (first at " + it->second.where + ")");
}

void KeyedSet::spoil(const std::string& fault) {
    if (fault_.empty()) fault_ = fault;
}

void KeyedSet::deliver(ElementSetsRead& out) const {
    try {
        out.sets.push_back(convert(out));
    } catch (const InputError& e) {
        out.problems.add(display_ + ": " + e.what());
    }
}

MeanElements KeyedSet::convert(ElementSetsRead& out) const {
    if (!fault_.empty()) throw InputError(fault_);
    const auto found = [&](std::string_view key) -> const KeyedText* {
        const auto it = fields_.find(key);
        return it == fields_.end() ? nullptr : &it->second;
    };
    const auto field = [&](std::string_view key) {
        const KeyedText* text = found(key);
        if (text == nullptr) throw InputError(where_ + ": " + std::string(key) + ": missing");
        return Field{text->text, text->where + ": " + std::string(key)};
    };
    for (const std::string_view key : REQUIRED_KEYS) field(key);  // the first missing one
    for (const RequiredValue& required : REQUIRED_METADATA) {
        if (found(required.key) == nullptr) continue;
        const Field given = field(required.key);
        if (!equal_ignoring_case(trim(given.text), required.value)) {
            refuse(given, quote(trim(given.text)) + ": " + std::string(required.refusal));
        }
    }
    bool extended_theory = false;
    if (found("MEAN_ELEMENT_THEORY") != nullptr) {
        const Field theory = field("MEAN_ELEMENT_THEORY");
        extended_theory = equal_ignoring_case(trim(theory.text), EXTENDED_THEORY);
        if (!extended_theory && !equal_ignoring_case(trim(theory.text), THEORY)) {
            refuse(theory, quote(trim(theory.text)) + ": only SGP4 mean elements are read");
        }
    }

    MeanElements set{};
    set.name = found("OBJECT_NAME") != nullptr ? text_value(field("OBJECT_NAME")) : "";
    set.object_id = found("OBJECT_ID") != nullptr ? text_value(field("OBJECT_ID")) : "";
    set.catalog_number = whole_number(field("NORAD_CAT_ID"), MAX_MESSAGE_NUMBER);
    set.epoch_us = iso_epoch_us(field("EPOCH"));
    set.mean_motion = decimal(field("MEAN_MOTION"), MEAN_MOTION_BOUNDS);
    set.eccentricity = decimal(field("ECCENTRICITY"), ECCENTRICITY_BOUNDS);
    set.inclination_deg = decimal(field("INCLINATION"), INCLINATION_BOUNDS);
    set.raan_deg = decimal(field("RA_OF_ASC_NODE"), ANGLE_BOUNDS);
    set.arg_perigee_deg = decimal(field("ARG_OF_PERICENTER"), ANGLE_BOUNDS);
    set.mean_anomaly_deg = decimal(field("MEAN_ANOMALY"), ANGLE_BOUNDS);
    set.mean_motion_dot = decimal(field("MEAN_MOTION_DOT"));
    set.mean_motion_ddot = decimal(field("MEAN_MOTION_DDOT"));
    set.bstar = decimal(field("BSTAR"));
    set.rev_at_epoch = found("REV_AT_EPOCH") != nullptr ? whole_number(field("REV_AT_EPOCH"), MAX_MESSAGE_NUMBER) : 0;
    set.source = display_ + ", " + where_;
    if (extended_theory) {
        out.warnings.add(display_ + ": " + where_ +
                         ": MEAN_ELEMENT_THEORY SGP4-XP: the elements are read as SGP4 mean elements");
    }
    return set;
}

}  // namespace talik::elements
