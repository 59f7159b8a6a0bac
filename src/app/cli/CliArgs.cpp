#include "app/cli/CliArgs.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace cli {

namespace {

bool LooksLikeNumber(const std::string& text) {
    return text.size() > 1 && text[0] == '-' &&
           (std::isdigit(static_cast<unsigned char>(text[1])) || text[1] == '.');
}

} // namespace

std::optional<int64_t> ParseInteger(const std::string& text) {
    int64_t value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end)
        return std::nullopt;
    return value;
}

std::optional<double> ParseReal(const std::string& text) {
    std::string normalised = text;
    for (char& c : normalised)
        if (c == ',')
            c = '.';
    double value = 0;
    const char* begin = normalised.data();
    const char* end = begin + normalised.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Args::Args(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
           const std::set<std::string>& flags) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            flags_.insert(argument);
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-' || LooksLikeNumber(argument)) {
            positional_.push_back(argument);
            continue;
        }
        std::string name = argument;
        std::optional<std::string> inlineValue;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        if (valueOptions.count(name)) {
            if (inlineValue) {
                values_[name] = *inlineValue;
            } else {
                if (i + 1 >= arguments.size())
                    throw UsageError("option " + name + " needs a value");
                values_[name] = arguments[++i];
            }
        } else if (flags.count(name) && !inlineValue) {
            flags_.insert(name);
        } else {
            throw UsageError("unknown option " + argument);
        }
    }
}

std::string RequireOutput(const Args& args) {
    auto output = args.Value("-o");
    if (!output || output->empty())
        throw UsageError("the output file is missing (-o FILE)");
    return *output;
}

bool Args::Has(const std::string& option) const {
    return flags_.count(option) > 0 || values_.count(option) > 0;
}

std::optional<std::string> Args::Value(const std::string& option) const {
    auto found = values_.find(option);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

int64_t Args::Integer(const std::string& option, int64_t fallback, int64_t low,
                      int64_t high) const {
    auto text = Value(option);
    if (!text)
        return fallback;
    auto value = ParseInteger(*text);
    if (!value || *value < low || *value > high) {
        throw UsageError(option + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + *text + "'");
    }
    return *value;
}

double Args::Real(const std::string& option, double fallback, double low, double high) const {
    auto text = Value(option);
    if (!text)
        return fallback;
    auto value = ParseReal(*text);
    if (!value || *value < low || *value > high) {
        throw UsageError(option + " must be a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + *text + "'");
    }
    return *value;
}

} // namespace cli
