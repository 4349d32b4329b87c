// process.hpp - the footing every program of talik starts from.
#pragma once

namespace talik {

// Call first in main: the standard descriptors opened, and the signals
// that would end the program set to leave no temporary file behind.
bool prepare_process();

}  // namespace talik
