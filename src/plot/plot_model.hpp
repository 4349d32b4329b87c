// plot_model.hpp - the data of talik-plot's pictures, worked out on talik's
// own model for one object and its passes.
#pragma once

#include <vector>

#include "passes/pass.hpp"
#include "plot/plot_data.hpp"

namespace talik {

// The ground track of the object's scan (thinned), its sites, and its
// passes (passes[i] over object.sites[i]), numbered by site and then time,
// with their tracks in the sky.
plot::PlotData plot_data(const PassObject& object, const std::vector<std::vector<Pass>>& passes);

// Milliseconds since 1970-01-01 UTC of a time in model seconds.
std::int64_t unix_ms(std::int64_t model_seconds);

}  // namespace talik
