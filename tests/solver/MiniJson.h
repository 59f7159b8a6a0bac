#pragma once
// Just enough JSON to read trasolan-cli's --json output in tests: a
// recursive-descent parser into a small value tree. Throws on bad text.

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace solver_test {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& key) const {
        auto found = fields.find(key);
        if (found == fields.end())
            throw std::runtime_error("no field " + key);
        return found->second;
    }
    const Json& operator[](size_t index) const { return items.at(index); }
    bool Has(const std::string& key) const { return fields.count(key) > 0; }
    size_t size() const { return kind == Kind::Array ? items.size() : fields.size(); }

    static Json Parse(const std::string& text) {
        size_t at = 0;
        Json value = ParseValue(text, at);
        SkipSpace(text, at);
        if (at != text.size())
            throw std::runtime_error("text after the JSON value");
        return value;
    }

private:
    static void SkipSpace(const std::string& s, size_t& at) {
        while (at < s.size() && (s[at] == ' ' || s[at] == '\n' || s[at] == '\r' || s[at] == '\t'))
            ++at;
    }

    static void Expect(const std::string& s, size_t& at, char c) {
        SkipSpace(s, at);
        if (at >= s.size() || s[at] != c)
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(at));
        ++at;
    }

    static std::string ParseString(const std::string& s, size_t& at) {
        Expect(s, at, '"');
        std::string out;
        while (at < s.size() && s[at] != '"') {
            char c = s[at++];
            if (static_cast<unsigned char>(c) < 0x20)
                throw std::runtime_error("raw control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = s.at(at++);
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                const unsigned code = std::stoul(s.substr(at, 4), nullptr, 16);
                at += 4;
                if (code >= 0x80)
                    throw std::runtime_error("only ASCII \\u escapes expected");
                out += static_cast<char>(code);
                break;
            }
            default:
                out += e; // \" \\ \/
            }
        }
        Expect(s, at, '"');
        return out;
    }

    static Json ParseValue(const std::string& s, size_t& at) {
        SkipSpace(s, at);
        Json value;
        if (at >= s.size())
            throw std::runtime_error("unexpected end");
        const char c = s[at];
        if (c == '{') {
            value.kind = Kind::Object;
            ++at;
            SkipSpace(s, at);
            if (s.at(at) == '}') {
                ++at;
                return value;
            }
            for (;;) {
                std::string key = ParseString(s, at);
                Expect(s, at, ':');
                value.fields[key] = ParseValue(s, at);
                SkipSpace(s, at);
                if (s.at(at) == ',') {
                    ++at;
                    continue;
                }
                Expect(s, at, '}');
                return value;
            }
        }
        if (c == '[') {
            value.kind = Kind::Array;
            ++at;
            SkipSpace(s, at);
            if (s.at(at) == ']') {
                ++at;
                return value;
            }
            for (;;) {
                value.items.push_back(ParseValue(s, at));
                SkipSpace(s, at);
                if (s.at(at) == ',') {
                    ++at;
                    continue;
                }
                Expect(s, at, ']');
                return value;
            }
        }
        if (c == '"') {
            value.kind = Kind::String;
            value.text = ParseString(s, at);
            return value;
        }
        if (s.compare(at, 4, "null") == 0) {
            at += 4;
            return value;
        }
        if (s.compare(at, 4, "true") == 0) {
            at += 4;
            value.kind = Kind::Bool;
            value.boolean = true;
            return value;
        }
        if (s.compare(at, 5, "false") == 0) {
            at += 5;
            value.kind = Kind::Bool;
            return value;
        }
        const char* begin = s.c_str() + at;
        char* end = nullptr;
        value.number = std::strtod(begin, &end);
        if (end == begin)
            throw std::runtime_error("bad value at " + std::to_string(at));
        at += static_cast<size_t>(end - begin);
        value.kind = Kind::Number;
        return value;
    }
};

} // namespace solver_test
