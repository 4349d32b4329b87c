// run_passes.hpp - many objects over many sites on all cores.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "passes/find_passes.hpp"
#include "passes/pass.hpp"

namespace talik {

// Called with each object's passes over each of its sites, in the order of
// the objects, then of their sites; the passes are in time order.
using PassSink = std::function<void(const PassObject& object, const Site& site, std::vector<Pass>& passes)>;
// Called now and then with the count of (object, site) pairs done and their total.
using Progress = std::function<void(std::size_t done, std::size_t total)>;

// Finds the passes of every object over every one of its sites with threads
// workers (at least one), each owning its run state; sink and progress are
// called from the calling thread only.  Passes are held only until every
// object before them has been handed to sink, and only a few objects per
// worker are in flight.  The first exception of an object (in order) or of
// sink stops the run and is rethrown; that object's sites get no passes.  The
// steps are gone through as how says (screened where proven, by default).
void run_passes(const std::vector<PassObject>& objects, unsigned threads, const PassSink& sink,
                const Progress& progress = {}, Scanning how = Scanning::Screened);

}  // namespace talik
