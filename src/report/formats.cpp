// FMTBAN, FMTRUN, FMTPAG, FMTEL1, FMTEL2, FMTCH1, FMTCH2, FMTBLK, FMTCON,
// FMTFIL, open_error_format, kepler_warning_format - the report's formats;
// report_kepler - the line of a Kepler solution that did not converge.
//
// Given:    unit    Unit          where the line goes (report_kepler)
//           status  KeplerStatus  how a solution of Kepler's equation ended
//                                 (report_kepler)
// Returned: (value) Format        the format, compiled once, on first use
//           the line " DID NOT CONVERGE (SUB. KEPLER)  ERROR =" with ERROR,
//           EE and G in E15.6 fields, for a solution that did not converge;
//           nothing for one that did (report_kepler)
//
// Notes:
//  - Each record group is written by one formatted write; a '/' in its
//    format starts the next record.  The element listing between the banner
//    and the run header belongs to the element set (list_element_set).
#include "report/formats.hpp"

namespace talik::report {

const Format& FMTBAN() {
    static const Format f("('1',/,/,/,/,/,/,29X,'======== TALI-K (VORANE) =======',/,/)");
    return f;
}

const Format& FMTRUN() {
    static const Format f("(19X,'STARTING TIME: ',26X,I4,2('/',I2),5X,2(I2,':'),I2,/,"
                          "19X,'INTERVAL (SEC):',26X,I5,/,"
                          "19X,'NUMBER OF CALCULATIONS:',18X,I5,/,"
                          "19X,'STATION NUMBER:',26X,I2,':',5A2,/,"
                          "19X,'  (LAT.,LON.):',32X,'(',F7.3,',',F7.3,')')");
    return f;
}

const Format& FMTPAG() {
    static const Format f("('1',/,/,/,60X,59X,'PAGE:',I4,/,"
                          "4X,'EPOCH (UT):',I4,2('/',I2),3X,2(I2,':'),I2,8X,'REV:',I6,16X,"
                          "'GREENWICH SIDEREAL TIME:',12X,2(I2,':'),I2)");
    return f;
}

const Format& FMTEL1() {
    static const Format f("(4X,'SEMI-MAJOR-AXIS (KM): ',16X,F10.3,15X,'ECCENTRICITY: ',22X,F10.6,/,"
                          "4X,'INCLINATION (DEG): ',22X,F10.3,15X,'ARGUMENT OF PERIGEE (DEG): ',10X,F10.3,/,"
                          "4X,'R.A. OF ASCENDING NODE (DEG): ',11X,F10.3,15X,'MEAN ANOMALY (DEG): ',16X,F10.3)");
    return f;
}

const Format& FMTEL2() {
    static const Format f("(4X,'DOT ASC. NODE (DEG/DAY): ',16X,F10.6,15X,'DOT ARGUMENT OF PERIGEE (DEG/DAY): ',F10.6,/,"
                          "4X,'MEAN MOTION (DEG/MIN): ',18X,F10.6,15X,'DOT SEMI-MAJOR-AXIS (KM/DAY): ',6X,F10.3,/,"
                          "4X,'DOT MEAN MOTION (DEG/MIN/DAY): ',10X,F10.5,/,"
                          "4X,'PERIGEE (KM): ',27X,F10.3,15X,'APOGEE (KM): ',23X,F10.3,/)");
    return f;
}

const Format& FMTCH1() {
    static const Format f("(13X,'TIME(UT)',20X,'SATELLITE  POSITION',10X,'ACQUISITION')");
    return f;
}

const Format& FMTCH2() {
    static const Format f(
        "(2X,'REV   YR MN DY HR MN SC',13X,' ALT.    LAT.   LONG.',5X,'EL.    AZ.    RANGE',3X,'ANTENNA')");
    return f;
}

const Format& FMTBLK() {
    static const Format f("(' ')");
    return f;
}

const Format& FMTCON() {
    // mended: an I6 revolution number starting in the control column would
    // lose the first digit of a number of 100000 or more there (and a
    // leading 1 would start a new page).  A blank control and I5 give the
    // same line for every number that fits and asterisks for one that does
    // not.
    static const Format f("(1X,I5,I5,2('/',I2),I3,2(':',I2),10X,2A1,2F7.2,4F8.2,5X,A1,1X,A1)");
    return f;
}

const Format& FMTFIL() {
    static const Format f("(2I5,2('/',I2),I3,2(':',I2),2A1,5F7.2,F7.1,1X,A1,1X,A1)");
    return f;
}

const Format& open_error_format() {
    static const Format f("(A)");
    return f;
}

const Format& kepler_warning_format() {
    static const Format f("(3(A,E15.6))");
    return f;
}

}  // namespace talik::report

namespace talik {

void report_kepler(Unit& unit, const KeplerStatus& status) {
    if (status.converged) return;
    write(unit, report::kepler_warning_format(),
          {" DID NOT CONVERGE (SUB. KEPLER)  ERROR =", status.ERROR, "   EE = ", status.EE, "  G  =  ", status.G});
}

}  // namespace talik
