// errors.hpp - the three kinds of failure, each mapped to one exit status by
// the programs' main functions.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace talik {

// Where each field of an input came from, as messages name it: maps a
// field's index to, say, "DECK: record 2, columns 6-10" or "--start".
using FieldPlace = std::function<std::string(int field)>;

// An input was refused (a deck, an element file, a command-line value).
// what() is the whole message without the program's name, starting with
// where: DECK: record 2, columns 36-40: "12a45" is not an integer
class InputError : public std::runtime_error {
public:
    // "place: problem"; place says where the refused input was found.
    InputError(const std::string& place, const std::string& problem) : std::runtime_error(place + ": " + problem) {}
    explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

// An output could not be opened, written or put in place:
// KESTAD.DAT: cannot be written: No space left on device
class OutputError : public std::runtime_error {
public:
    explicit OutputError(const std::string& message) : std::runtime_error(message) {}
    // "what: the system's reason" for an errno value.
    OutputError(const std::string& what, int error);
};

// A fault of the program itself, never of its input (a format text that does
// not parse, a value of the wrong kind for its descriptor).
class InternalError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A format text that cannot be parsed or used as asked.
class FormatError : public InternalError {
public:
    using InternalError::InternalError;
};

}  // namespace talik
