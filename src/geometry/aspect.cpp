// ASPECT - latitude and position angle of a direction about a line of sight.
//
// Given:    AZ      Single       azimuth of the satellite, degrees, north
//                                through east
//           EL      Single       elevation of the satellite, degrees
//           GST     Single       Greenwich sidereal angle, degrees
//           DIRRA   Single       right ascension of the direction to
//                                measure, degrees
//           DIRDEC  Single       declination of that direction, degrees
//           STLAT   Single       station latitude, degrees
//           STLON   Single       station east longitude, degrees
//           frame   SphrotFrame  SPHROT's kept frame, used as scratch: every
//                                call sets the frames it needs
// Returned: PA      Single       position angle about the line of sight,
//                                degrees, (0, 360]: 0 towards the nadir, 180
//                                towards the zenith, right-handed about the
//                                station-to-satellite vector
//           ALAT    Single       latitude of the direction in the frame
//                                whose pole is the line of sight, degrees
//                                (90 minus the angle between them)
//
// Notes:
//  - sin ALAT is the scalar product of the unit line of sight and the unit
//    direction; with the anti-solar direction, ALAT < 0 means the station
//    looks within 90 degrees of the Sun.
//  - Horizon to equatorial goes through the frame whose pole is the zenith
//    and whose reference is the celestial north pole, applied backwards.
//  - At EL = 90 the line of sight is the zenith and its azimuth is
//    meaningless: ALAT is taken in the zenith's frame and PA is set to 180.
#include "geometry/aspect.hpp"
#include "geometry/setfrm.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void ASPECT(Single AZ, Single EL, Single GST, Single DIRRA, Single DIRDEC, Single& PA, Single& ALAT, Single STLAT,
            Single STLON, SphrotFrame& frame) {
    // Right ascension of the station's zenith.
    const Single LST = MOD(STLON + GST, 360.0);

    // Horizon frame: pole at the zenith, celestial north pole at longitude 0.
    Single HLON;
    Single HLAT;
    Single HROT;
    SETFRM(LST, STLAT, 0.0, 90.0, HLON, HLAT, HROT, frame);

    if (EL >= 90.0) {
        // mended: at the zenith the azimuth, hence PA, is undefined; measure in the zenith frame and fix PA at 180.
        PA = DIRRA;
        ALAT = DIRDEC;
        SPHROT(PA, ALAT, HLON, HLAT, HROT, frame);
        PA = 180.0;
        return;
    }

    // Line of sight in right ascension and declination.
    Single V1 = 360.0 - AZ;
    Single V2 = EL;
    SPHROT(V1, V2, 180.0 - HROT, HLAT, 180.0 - HLON, frame);

    // Line-of-sight frame, zenith side at 180.
    Single SLON;
    Single SLAT;
    Single SROT;
    SETFRM(V1, V2, LST, STLAT, SLON, SLAT, SROT, frame);
    SROT = MOD(SROT + 180.0, 360.0);

    PA = DIRRA;
    ALAT = DIRDEC;
    SPHROT(PA, ALAT, SLON, SLAT, SROT, frame);
}

}  // namespace talik
