// send_buffer - buffered output bytes handed to their stream.
//
// Given:    stream  FILE*        where the bytes go; null: nowhere, and the
//                                bytes are kept
//           buffer  string       the bytes; emptied
//           what    const char*  what begins the message of a failure
// Thrown:   OutputError          "what: the system's reason" when the write
//                                or the flush fails
//
// Notes:
//  - The bytes are dropped even on failure, so that a broken stream is
//    reported once, not again by the unit's destructor.
#include "format/send.hpp"

#include <cerrno>

#include "format/errors.hpp"

namespace talik {

void send_buffer(std::FILE* stream, std::string& buffer, const char* what) {
    if (stream == nullptr) return;
    const std::size_t size = buffer.size();
    errno = 0;
    const std::size_t sent = size == 0 ? 0 : std::fwrite(buffer.data(), 1, size, stream);
    buffer.clear();
    if (sent != size || std::fflush(stream) != 0) {
        throw OutputError(what, errno);
    }
}

}  // namespace talik
