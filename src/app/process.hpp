// process.hpp - the footing every program of talik starts from.
#pragma once

namespace talik {

// Call first in main.  Opens the standard descriptors 0 to 2 that are closed
// onto /dev/null (so that no file the program opens can take their place and
// receive console text), standard output for reading only, so that a
// program whose output goes there can tell; ignores SIGPIPE and SIGXFSZ, so
// that a write to a closed pipe or past the file-size limit fails with an
// error the program reports; and on every other signal that would end the
// program (unless ignored from the start) removes the temporary files of
// pending outputs before ending as the signal would have ended it.
// Returns false when a closed descriptor could not be opened.
bool prepare_process();

}  // namespace talik
