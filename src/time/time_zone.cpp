// TimeZone - named zones of the system's database and their offsets.
//
// Notes:
//  - The database is the system's (TZDIR, or /usr/share/zoneinfo); a name
//    is a relative path of letters, digits and "_+-" in it, leading to a
//    compiled zone file (it starts "TZif").  The C library reads that file
//    when TZ names it, and localtime_r gives the offset of an instant.
//  - TZ is the one process-wide setting here; it is set once, before the
//    program starts its threads.
#include "time/time_zone.hpp"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "format/errors.hpp"

namespace talik {

namespace {

constexpr const char* ZONE_DIRECTORY = "/usr/share/zoneinfo";
constexpr std::size_t ZONE_NAME_MAX = 64;

bool plain_name(const std::string& name) {
    if (name.empty() || name.size() > ZONE_NAME_MAX || name.front() == '/' || name.find("..") != std::string::npos) {
        return false;
    }
    for (const char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '+' || c == '-' || c == '/';
        if (!ok) return false;
    }
    return true;
}

bool compiled_zone(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    return file.read(magic, sizeof magic) && std::string(magic, sizeof magic) == "TZif";
}

}  // namespace

TimeZone TimeZone::named(const std::string& name, const std::string& place) {
    const char* tzdir = std::getenv("TZDIR");
    const std::string directory = tzdir != nullptr && *tzdir != '\0' ? tzdir : ZONE_DIRECTORY;
    if (!plain_name(name) || !compiled_zone(directory + "/" + name)) {
        throw InputError(place, "no such zone in the time-zone database (" + directory +
                                    "); give a name such as "
                                    "Europe/Paris or UTC");
    }
    ::setenv("TZ", (":" + name).c_str(), 1);
    ::tzset();
    TimeZone zone;
    zone.name_ = name;
    zone.utc_ = false;
    return zone;
}

std::int64_t TimeZone::offset_s(std::int64_t unix_s) const {
    if (utc_) return 0;
    const std::time_t t = static_cast<std::time_t>(unix_s);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr) return 0;
    return local.tm_gmtoff;
}

}  // namespace talik
