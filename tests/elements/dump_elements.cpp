// dump_elements.cpp - prints what the element-set reader makes of each file
// given, as one JSON object per file on its own line, for the Python
// cross-checks: {"sets": [...], "problems": [...], "warnings": [...]}, or
// {"error": "..."} for a source that cannot be read.  Doubles are written
// in the shortest form that reads back to the same bits.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "elements/elements.hpp"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        nlohmann::json out;
        try {
            const talik::ElementSetsRead read = talik::read_element_file(argv[i]);
            out["sets"] = nlohmann::json::array();
            for (const talik::MeanElements& s : read.sets) {
                out["sets"].push_back({{"name", s.name},
                                       {"catalog_number", s.catalog_number},
                                       {"object_id", s.object_id},
                                       {"epoch_us", s.epoch_us},
                                       {"mean_motion", s.mean_motion},
                                       {"eccentricity", s.eccentricity},
                                       {"inclination_deg", s.inclination_deg},
                                       {"raan_deg", s.raan_deg},
                                       {"arg_perigee_deg", s.arg_perigee_deg},
                                       {"mean_anomaly_deg", s.mean_anomaly_deg},
                                       {"mean_motion_dot", s.mean_motion_dot},
                                       {"mean_motion_ddot", s.mean_motion_ddot},
                                       {"bstar", s.bstar},
                                       {"rev_at_epoch", s.rev_at_epoch},
                                       {"source", s.source}});
            }
            out["problems"] = read.problems.shown();
            out["warnings"] = read.warnings.shown();
        } catch (const talik::InputError& e) {
            out = {{"error", e.what()}};
        }
        std::puts(out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    }
    return 0;
}
