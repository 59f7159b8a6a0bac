#pragma once
// A small argument reader for trasolan-cli: options in the forms "-n 5",
// "--seed 7", "--seed=7" and flags ("--ring"), the rest are positional.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A usage error: printed to stderr with a hint to --help, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Args {
public:
    // valueOptions take a value ("-o", "--seed"); flags take none ("--ring").
    // Anything else that starts with "-" (and is not a negative number) is an
    // unknown option.
    Args(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
         const std::set<std::string>& flags);

    bool Has(const std::string& option) const;
    std::optional<std::string> Value(const std::string& option) const;
    // The option's value as an integer in [low, high], or fallback when absent.
    int64_t Integer(const std::string& option, int64_t fallback, int64_t low, int64_t high) const;
    double Real(const std::string& option, double fallback, double low, double high) const;
    const std::vector<std::string>& Positional() const { return positional_; }
    bool WantsHelp() const { return Has("--help") || Has("-h"); }

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::vector<std::string> positional_;
};

// The value of -o; a UsageError when it is missing.
std::string RequireOutput(const Args& args);

// Parses a whole decimal integer; nullopt for anything else.
std::optional<int64_t> ParseInteger(const std::string& text);
std::optional<double> ParseReal(const std::string& text);

} // namespace cli
