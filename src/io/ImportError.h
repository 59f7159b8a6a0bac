#pragma once
// The exception of the importers. Its message is finished Russian text for the
// user: which line of which file is wrong and what was expected there, or why
// the map would not fit the program.

#include <stdexcept>

class EImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
