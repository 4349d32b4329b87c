// kepler.hpp - Kepler's equation for the ellipse.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// How a solution of Kepler's equation ended.  When it did not converge,
// ERROR is the relative change of the 20th step, EE the 20th iterate and G
// the mean anomaly solved for: what the caller reports.
struct KeplerStatus {
    bool converged = true;
    Single ERROR;
    Single EE;
    Single G;
};

// Solves EE - ECC*sin(EE) = G for the eccentric anomaly EE (rad).
KeplerStatus KEPLER(Single G, Single ECC, Single& EE);

}  // namespace talik
