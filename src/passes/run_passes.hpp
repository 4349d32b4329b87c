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
// workers, handing them to sink in order from the calling thread.
void run_passes(const std::vector<PassObject>& objects, unsigned threads, const PassSink& sink,
                const Progress& progress = {}, Scanning how = Scanning::Screened);

}  // namespace talik
