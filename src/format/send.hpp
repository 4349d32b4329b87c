// send.hpp - how the output units hand their buffered bytes to a stream.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace talik {

// The output units send their buffer when it passes this many bytes.
inline constexpr std::size_t SEND_BLOCK = std::size_t{64} * 1024;

// Writes the buffer to stream, flushes it and empties the buffer.
void send_buffer(std::FILE* stream, std::string& buffer, const char* what);

}  // namespace talik
