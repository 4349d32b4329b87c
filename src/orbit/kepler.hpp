// kepler.hpp - Kepler's equation for the ellipse.
#pragma once

#include "format/console.hpp"
#include "numeric/single.hpp"

namespace talik {

// Solves EE - ECC*sin(EE) = G for the eccentric anomaly EE (rad) by Newton's
// iteration, on the same revolution as G.  After 20 steps without
// convergence one line goes to the console and the 20th iterate is returned.
void KEPLER(Single G, Single ECC, Single& EE, Console& console);

}  // namespace talik
