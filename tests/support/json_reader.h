#pragma once
// A strict JSON reader for tests: exactly one value as RFC 8259 has it (no comments, no trailing
// commas, no NaN, no duplicate names, strings of well-formed UTF-8 without raw control
// characters), read into a small tree.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a string, as UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in the order given

    // A member or an item; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const {
        for (const auto& m : members)
            if (m.first == name) return m.second;
        return missing();
    }
    const JsonValue& operator[](std::size_t index) const { return index < items.size() ? items[index] : missing(); }

private:
    static const JsonValue& missing() {
        static const JsonValue none;
        return none;
    }
};

class JsonReader {
public:
    // True when `text` is one JSON value with nothing but white space around it; else `error`
    // says what was wrong and at which byte.
    static bool parse(const std::string& text, JsonValue& value, std::string& error) {
        JsonReader reader(text);
        const bool ok = reader.value(value, 0) && (reader.space(), reader.at_ == text.size() || reader.fail("text after the value"));
        if (!ok) error = reader.error_ + " at byte " + std::to_string(reader.at_);
        return ok;
    }

private:
    explicit JsonReader(const std::string& text) : s_(text) {}

    bool fail(const char* what) {
        if (error_.empty()) error_ = what;
        return false;
    }
    int peek() const { return at_ < s_.size() ? static_cast<unsigned char>(s_[at_]) : -1; }
    void space() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++at_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (s_.compare(at_, w.size(), w) != 0) return fail("not a value");
        at_ += w.size();
        return true;
    }
    std::size_t digits() {
        const std::size_t from = at_;
        while (peek() >= '0' && peek() <= '9') ++at_;
        return at_ - from;
    }

    bool value(JsonValue& v, int depth) {
        if (depth > 64) return fail("nested too deep");
        space();
        const int c = peek();
        if (c == '{') return object(v, depth);
        if (c == '[') return array(v, depth);
        if (c == '"') return v.kind = JsonValue::String, string(v.text);
        if (c == 't' || c == 'f') return v.kind = JsonValue::Bool, v.boolean = c == 't', literal(c == 't' ? "true" : "false");
        if (c == 'n') return v.kind = JsonValue::Null, literal("null");
        return number(v);
    }

    bool number(JsonValue& v) {
        const std::size_t from = at_;
        if (peek() == '-') ++at_;
        if (peek() == '0') ++at_;
        else if (digits() == 0) return fail("not a value");
        if (peek() == '.' && (++at_, digits() == 0)) return fail("no digits after the point");
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') ++at_;
            if (digits() == 0) return fail("no digits in the exponent");
        }
        v.kind = JsonValue::Number;
        v.number = std::strtod(s_.substr(from, at_ - from).c_str(), nullptr);
        return true;
    }

    bool hex4(unsigned& code) {
        if (at_ + 4 > s_.size()) return fail("a cut \\u escape");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = s_[at_++];
            const int d = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (d < 0) return fail("a bad \\u escape");
            code = code * 16 + static_cast<unsigned>(d);
        }
        return true;
    }

    static void append(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // One character of well-formed UTF-8 of more than one byte, copied.
    bool utf8(std::string& out) {
        const int lead = peek();
        const int length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || at_ + length > s_.size()) return fail("bytes that are not UTF-8");
        unsigned code = static_cast<unsigned>(lead) & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const unsigned char b = static_cast<unsigned char>(s_[at_ + i]);
            if ((b & 0xC0) != 0x80) return fail("bytes that are not UTF-8");
            code = code << 6 | (b & 0x3F);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return fail("bytes that are not UTF-8");
        out.append(s_, at_, static_cast<std::size_t>(length));
        at_ += static_cast<std::size_t>(length);
        return true;
    }

    bool string(std::string& out) {
        ++at_;  // the opening quote
        out.clear();
        for (;;) {
            const int c = peek();
            if (c < 0) return fail("a string without its closing quote");
            if (c < 0x20) return fail("a control character in a string");
            if (c >= 0x80) {
                if (!utf8(out)) return false;
                continue;
            }
            ++at_;
            if (c == '"') return true;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const int e = peek();
            ++at_;
            const char* simple = "\"\\/bfnrt";
            const char* decoded = "\"\\/\b\f\n\r\t";
            bool found = false;
            for (int i = 0; simple[i]; ++i)
                if (e == simple[i]) out += decoded[i], found = true;
            if (found) continue;
            if (e != 'u') return fail("an unknown escape");
            unsigned code = 0;
            if (!hex4(code)) return false;
            if (code >= 0xDC00 && code <= 0xDFFF) return fail("a lone low surrogate");
            if (code >= 0xD800 && code <= 0xDBFF) {
                unsigned low = 0;
                if (s_.compare(at_, 2, "\\u") != 0 || (at_ += 2, !hex4(low)) || low < 0xDC00 || low > 0xDFFF)
                    return fail("a lone high surrogate");
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
            append(out, code);
        }
    }

    bool array(JsonValue& v, int depth) {
        v.kind = JsonValue::Array;
        ++at_;
        space();
        if (peek() == ']') return ++at_, true;
        for (;;) {
            v.items.emplace_back();
            if (!value(v.items.back(), depth + 1)) return false;
            space();
            if (peek() == ']') return ++at_, true;
            if (peek() != ',') return fail("no ',' or ']' after an item");
            ++at_;
        }
    }

    bool object(JsonValue& v, int depth) {
        v.kind = JsonValue::Object;
        ++at_;
        space();
        if (peek() == '}') return ++at_, true;
        for (;;) {
            space();
            std::string name;
            if (peek() != '"') return fail("a member without a quoted name");
            if (!string(name)) return false;
            for (const auto& m : v.members)
                if (m.first == name) return fail("a name given twice in one object");
            space();
            if (peek() != ':') return fail("no ':' after a name");
            ++at_;
            v.members.emplace_back(name, JsonValue());
            if (!value(v.members.back().second, depth + 1)) return false;
            space();
            if (peek() == '}') return ++at_, true;
            if (peek() != ',') return fail("no ',' or '}' after a member");
            ++at_;
        }
    }

    const std::string& s_;
    std::size_t at_ = 0;
    std::string error_;
};
