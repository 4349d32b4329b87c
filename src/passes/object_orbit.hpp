// object_orbit.hpp - one object's orbit at whole seconds of the model's
// time, worked out once for every site that looks at it.
#pragma once

#include <array>
#include <cstdint>

#include "passes/pass.hpp"
#include "predict/step.hpp"

namespace talik {

// The site-free part of a step: the position, the sub-satellite longitude
// and, once asked for, the latitude and the Sun.
struct OrbitPoint {
    std::int64_t t = 0;  // model seconds
    DATIM dt{};
    Single R;     // km
    Single DECL;  // rad
    Single RA;    // rad
    Vec3 POS{};   // equatorial, km
    double JDN = 0.0;
    Single GST;   // degrees
    Single GLON;  // east longitude, 0 to 360 degrees
    bool located = false;
    Single GLAT;  // the foot's latitude once located, else the declination (degrees; same sign)
    bool sun_known = false;
    SunPlace sun{};
    std::int16_t LIT = 0;  // once sun_known
    bool normal_known = false;
    std::array<double, 3> normal{};  // the orbit's plane's unit normal, equatorial, once normal_known
};

class ObjectOrbit {
public:
    // The object's run state from the start of its scan (prepare_run).
    explicit ObjectOrbit(const PassObject& object);

    // The revolution number at the scan's start.
    std::int32_t start_revolution() const { return nrev_; }
    const ORBEL& orbel() const { return state_.orbel; }
    const RunState& state() const { return state_; }

    // The point at t, whose date-time is dt; from the points kept when it
    // is among them.  The reference holds until the next call.
    OrbitPoint& at(std::int64_t t, const DATIM& dt);
    OrbitPoint& at(std::int64_t t);
    // The latitude of the point's foot (ALTLAT), degrees.
    Single latitude(OrbitPoint& p) const;
    // The Sun at the point and whether the satellite is sunlit there.
    const SunPlace& sun(OrbitPoint& p) const;
    std::int16_t lit(OrbitPoint& p) const;

private:
    OrbitPoint& compute(OrbitPoint& p, std::int64_t t, const DATIM& dt);

    const PassObject& object_;
    RunState state_;
    std::int32_t nrev_ = 0;
    // The points kept, each in the place its time hashes to.
    static constexpr int KEPT_BITS = 6;
    std::array<OrbitPoint, std::size_t{1} << KEPT_BITS> kept_{};
    std::array<bool, std::size_t{1} << KEPT_BITS> used_{};
};

}  // namespace talik
