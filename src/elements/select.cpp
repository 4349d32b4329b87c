// select_sets, newest_sets, older_sets_note - the sets of one object,
// picked by catalogue number, name or designator; the newest set of each
// object.
//
// Given:    sets            vector of MeanElements
//                                   the sets read, in file order
//           name_or_number  string_view
//                                   what the user typed (select_sets)
//           source          string  the source's name (older_sets_note)
//           left_aside      size_t  how many older sets were left aside
//                                   (older_sets_note)
// Returned: (value)         vector of MeanElements
//                                   the matching sets in file order, empty
//                                   when nothing matches (select_sets); the
//                                   newest set of each object, by catalogue
//                                   number (of two with the same epoch, the
//                                   later in the list), in the order of the
//                                   objects' first sets (newest_sets)
//           (value)         string  the line that tells how many older sets
//                                   of the source were left aside
//                                   (older_sets_note)
// Thrown:   InputError              a start of names shared by several
//                                   objects, listing (some of) them
//                                   (select_sets)
//
// Notes:
//  - A catalogue number ("25544", or Alpha-5 "A0001") picks every set with
//    it; otherwise a name or international designator matched whole,
//    ignoring case ("iss (zarya)", "1998-067a"), picks every set so named;
//    otherwise the start of a name ("iss"), when the sets it starts all
//    belong to one object (one catalogue number).
//  - A name is matched whole first, so "ISS" finds a set named "ISS" even
//    beside "ISS DEB"; only then as the start of names.
#include <algorithm>
#include <map>
#include <set>

#include "elements/fields.hpp"
#include "format/text.hpp"

namespace talik {

namespace {

constexpr std::size_t MAX_CATALOGUE_DIGITS = 9;
constexpr std::size_t OBJECTS_SHOWN = 5;

std::optional<std::int32_t> catalogue_number(std::string_view text) {
    if (const std::optional<std::int32_t> alpha5 = elements::alpha5_number(text)) return alpha5;
    if (text.empty() || text.size() > MAX_CATALOGUE_DIGITS ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::stoi(std::string(text));
}

bool starts_ignoring_case(std::string_view name, std::string_view start) {
    return name.size() >= start.size() && elements::equal_ignoring_case(name.substr(0, start.size()), start);
}

}  // namespace

std::vector<MeanElements> select_sets(const std::vector<MeanElements>& sets, std::string_view name_or_number) {
    const std::string_view wanted = elements::trim(name_or_number);
    std::vector<MeanElements> picked;
    if (wanted.empty()) return picked;
    const auto pick = [&](auto matches) {
        std::copy_if(sets.begin(), sets.end(), std::back_inserter(picked), matches);
        return !picked.empty();
    };
    if (const std::optional<std::int32_t> number = catalogue_number(wanted)) {
        pick([&](const MeanElements& set) { return set.catalog_number == *number; });
        return picked;
    }
    if (pick([&](const MeanElements& set) {
            return elements::equal_ignoring_case(set.name, wanted) ||
                   (!set.object_id.empty() && elements::equal_ignoring_case(set.object_id, wanted));
        })) {
        return picked;
    }
    pick([&](const MeanElements& set) { return starts_ignoring_case(set.name, wanted); });
    std::set<std::int32_t> objects;
    std::string shown;
    for (const MeanElements& set : picked) {
        if (!objects.insert(set.catalog_number).second || objects.size() > OBJECTS_SHOWN) continue;
        shown += (shown.empty() ? "" : ", ") + set.name + " (" + std::to_string(set.catalog_number) + ")";
    }
    if (objects.size() > 1) {
        throw InputError(quote(wanted) + " starts the names of " + std::to_string(objects.size()) +
                         " objects: " + shown + (objects.size() > OBJECTS_SHOWN ? ", ..." : ""));
    }
    return picked;
}

std::vector<MeanElements> newest_sets(const std::vector<MeanElements>& sets) {
    std::map<std::int32_t, std::size_t> newest;  // catalogue number -> index in sets
    std::vector<std::int32_t> order;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto [it, added] = newest.try_emplace(sets[i].catalog_number, i);
        if (added) {
            order.push_back(sets[i].catalog_number);
        } else if (sets[i].epoch_us >= sets[it->second].epoch_us) {
            it->second = i;
        }
    }
    std::vector<MeanElements> kept;
    kept.reserve(order.size());
    for (const std::int32_t number : order) kept.push_back(sets[newest[number]]);
    return kept;
}

std::string older_sets_note(const std::string& source, std::size_t left_aside) {
    return source + ": " + std::to_string(left_aside) + " older element set" + (left_aside == 1 ? "" : "s") +
           " left aside: each object's newest set is used";
}

}  // namespace talik
