// revolution_counter.hpp - revolutions counted at northward crossings of
// the equator.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// Starts from the revolution number at the first step and adds one at
// every step whose sub-satellite latitude is 0 or more after a step with
// it below 0 (steps in the run's order); the first step never counts.
class RevolutionCounter {
public:
    explicit RevolutionCounter(std::int32_t NREV) : NREV_(NREV) {}
    // The revolution number at the step with latitude GLAT (degrees).
    std::int32_t count(Single GLAT) {
        if (started_ && GLATP_ < 0.0 && GLAT >= 0.0) ++NREV_;
        started_ = true;
        GLATP_ = GLAT;
        return NREV_;
    }

private:
    std::int32_t NREV_;
    Single GLATP_;
    bool started_ = false;
};

}  // namespace talik
