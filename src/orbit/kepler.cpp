// KEPLER - solve Kepler's equation by Newton's iteration.
//
// Given:
//    G       Single         mean anomaly, rad; any value, not reduced
//    ECC     Single         eccentricity, 0 <= ECC < 1
//    console Console        receives the line of a failed iteration
// Returned:
//    EE      Single         eccentric anomaly, rad, on G's revolution
//
// Notes:
//    The iteration starts at EE = G and stops when the step relative to the
//    new EE is below 1.0E-6; since the test is relative, a large unreduced
//    G needs fewer steps.  After 20 steps without convergence the line
//    " DID NOT CONVERGE (SUB. KEPLER)  ERROR =..." is written and the 20th
//    iterate is returned; the caller carries on with it.
#include <cmath>

#include "orbit/kepler.hpp"

namespace talik {

void KEPLER(Single G, Single ECC, Single& EE, Console& console) {
    static const Format MSG("(3(A,E15.6))");
    const Single TOL = 1.0E-6;

    EE = G;
    if (G == 0.0) return;

    Single ERROR;
    for (int i = 1; i <= 20; ++i) {
        const Single DE = (ECC * std::sin(EE) + (G - EE)) / (1.0 - ECC * std::cos(EE));
        EE = EE + DE;
        if (EE == 0.0) {
            // mended: a step landing on exactly 0 has no relative change; converged only if the step itself is 0.
            ERROR = DE;
            if (DE == 0.0) return;
            continue;
        }
        ERROR = DE / EE;
        if (std::fabs(ERROR) < TOL) return;
    }

    write(console, MSG, {" DID NOT CONVERGE (SUB. KEPLER)  ERROR =", ERROR, "   EE = ", EE, "  G  =  ", G});
}

}  // namespace talik
