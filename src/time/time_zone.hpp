// time_zone.hpp - a zone of the system's time-zone database, for times
// shown in local time.
#pragma once

#include <cstdint>
#include <string>

namespace talik {

class TimeZone {
public:
    // UTC, offset 0.
    TimeZone() = default;
    // The zone called name in the system's database ("Europe/Paris",
    // "UTC"); throws InputError (at place) when there is none.  The process's
    // local zone becomes that zone: call before any thread starts, and keep
    // one named zone at a time.
    static TimeZone named(const std::string& name, const std::string& place);

    const std::string& name() const { return name_; }
    // How far the zone's clocks are ahead of UTC at the instant (seconds
    // since 1970-01-01 00:00:00 UTC), seconds.
    std::int64_t offset_s(std::int64_t unix_s) const;

private:
    std::string name_ = "UTC";
    bool utc_ = true;
};

}  // namespace talik
