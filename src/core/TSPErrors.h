#pragma once
// The exceptions of the core. Every error carries a finished, user-facing
// message; the program's error display shows what() as it stands.

#include <stdexcept>
#include <string>

// An invalid map or chromosome index, or a task that cannot be solved.
class ETSPError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside an integer list.
class EIntArrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that is not a valid number or Boolean ("'%s' is not a valid ...").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened or created ("Cannot open file %s").
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Неправильный индекс при обращении к %s (%d). Индекс должен лежать в
// диапазоне от %d до %d", the shared message for an index outside a list of
// nodes, genes or distances.
std::string IndexErrorMessage(const std::string& operation, long long index, long long low,
                              long long count);
