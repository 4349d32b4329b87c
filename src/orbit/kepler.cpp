// KEPLER - solve Kepler's equation by Newton's iteration.
//
// Given:    G       Single        mean anomaly, rad; any value, not reduced
//           ECC     Single        eccentricity, 0 <= ECC < 1
// Returned: EE      Single        eccentric anomaly, rad, on G's revolution
//           (value) KeplerStatus  converged, or the values of the 20th step
//
// Notes:
//  - The iteration starts at EE = G and stops when the step relative to the
//    new EE is below 1.0E-6; since the test is relative, a large unreduced
//    G needs fewer steps.
//  - After 20 steps without convergence the 20th iterate is returned with a
//    status for the caller to report; the caller carries on with it.
#include <cmath>

#include "orbit/kepler.hpp"

namespace talik {

KeplerStatus KEPLER(Single G, Single ECC, Single& EE) {
    const Single TOL = 1.0E-6;

    EE = G;
    if (G == 0.0) return {};

    Single ERROR;
    for (int i = 1; i <= 20; ++i) {
        const Single DE = (ECC * std::sin(EE) + (G - EE)) / (1.0 - ECC * std::cos(EE));
        EE = EE + DE;
        if (EE == 0.0) {
            // mended: a step landing on exactly 0 has no relative change; converged only if the step itself is 0.
            ERROR = DE;
            if (DE == 0.0) return {};
            continue;
        }
        ERROR = DE / EE;
        if (std::fabs(ERROR) < TOL) return {};
    }
    return {false, ERROR, EE, G};
}

}  // namespace talik
