#pragma once
// A strict JSON reader for tests: exactly one value as RFC 8259 has it (no comments, no trailing
// commas, no NaN, no name twice in an object, strings of well-formed UTF-8 without raw control
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
        return none();
    }
    const JsonValue& operator[](std::size_t index) const { return index < items.size() ? items[index] : none(); }
    static const JsonValue& none() {
        static const JsonValue value;
        return value;
    }
};

class JsonReader {
public:
    // True when `text` is one JSON value with nothing but white space around it; else `error`
    // says what was wrong and at which byte.
    static bool parse(const std::string& text, JsonValue& value, std::string& error) {
        JsonReader r(text);
        const bool ok = r.value(value) && (r.space(), r.at_ == text.size() || r.fail("text after the value"));
        if (!ok) error = r.error_ + " at byte " + std::to_string(r.at_);
        return ok;
    }

private:
    explicit JsonReader(const std::string& text) : s_(text) {}

    bool fail(const char* what) {
        if (error_.empty()) error_ = what;
        return false;
    }
    int peek() const { return at_ < s_.size() ? static_cast<unsigned char>(s_[at_]) : -1; }
    bool take(char c) { return peek() == c ? (++at_, true) : false; }
    void space() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++at_;
    }
    std::size_t digits() {
        const std::size_t from = at_;
        while (peek() >= '0' && peek() <= '9') ++at_;
        return at_ - from;
    }
    bool word(const char* w, JsonValue::Kind kind, JsonValue& v) {
        const std::string text(w);
        if (s_.compare(at_, text.size(), text) != 0) return fail("not a value");
        at_ += text.size();
        v.kind = kind;
        v.boolean = text == "true";
        return true;
    }

    bool value(JsonValue& v) {
        space();
        switch (peek()) {
        case '{': return object(v);
        case '[': return array(v);
        case '"': return v.kind = JsonValue::String, string(v.text);
        case 't': return word("true", JsonValue::Bool, v);
        case 'f': return word("false", JsonValue::Bool, v);
        case 'n': return word("null", JsonValue::Null, v);
        }
        const std::size_t from = at_;
        take('-');
        if (!take('0') && digits() == 0) return fail("not a value");
        if (take('.') && digits() == 0) return fail("no digits after the point");
        if ((take('e') || take('E')) && (take('+') || take('-') || true) && digits() == 0)
            return fail("no digits in the exponent");
        v.kind = JsonValue::Number;
        v.number = std::strtod(s_.substr(from, at_ - from).c_str(), nullptr);
        return true;
    }

    bool hex4(unsigned& code) {
        code = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const int h = peek();
            const int d = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (d < 0) return fail("a bad \\u escape");
            code = code * 16 + static_cast<unsigned>(d);
        }
        return true;
    }

    // A code point as UTF-8.
    static void append(std::string& out, unsigned code) {
        const int extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        const unsigned lead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(lead[extra] | code >> (6 * extra));
        for (int i = extra - 1; i >= 0; --i) out += static_cast<char>(0x80 | (code >> (6 * i) & 0x3F));
    }

    // One character of more than one byte, which must be well-formed UTF-8 (no overlong form,
    // no surrogate, nothing above U+10FFFF).
    bool utf8(std::string& out) {
        const int lead = peek();
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        unsigned code = static_cast<unsigned>(lead) & (0x7Fu >> length);
        for (int i = 1; i < length; ++i) {
            const int b = at_ + i < s_.size() ? static_cast<unsigned char>(s_[at_ + i]) : 0;
            if ((b & 0xC0) != 0x80) return fail("bytes that are not UTF-8");
            code = code << 6 | (static_cast<unsigned>(b) & 0x3F);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (length == 0 || code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return fail("bytes that are not UTF-8");
        out.append(s_, at_, static_cast<std::size_t>(length));
        at_ += static_cast<std::size_t>(length);
        return true;
    }

    bool string(std::string& out) {
        ++at_;  // the opening quote
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
            const std::string simple = "\"\\/bfnrt", decoded = "\"\\/\b\f\n\r\t";
            const std::size_t escape = peek() < 0 ? std::string::npos : simple.find(static_cast<char>(peek()));
            if (escape != std::string::npos) {
                out += decoded[escape];
                ++at_;
                continue;
            }
            unsigned code = 0, low = 0;
            if (!take('u')) return fail("an unknown escape");
            if (!hex4(code)) return false;
            if (code >= 0xDC00 && code <= 0xDFFF) return fail("a lone low surrogate");
            if (code >= 0xD800 && code <= 0xDBFF) {
                if (!take('\\') || !take('u') || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                    return fail("a lone high surrogate");
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
            append(out, code);
        }
    }

    bool array(JsonValue& v) {
        v.kind = JsonValue::Array;
        ++at_;
        space();
        if (take(']')) return true;
        do {
            v.items.emplace_back();
            if (!value(v.items.back())) return false;
            space();
        } while (take(','));
        return take(']') || fail("no ',' or ']' after an item");
    }

    bool object(JsonValue& v) {
        v.kind = JsonValue::Object;
        ++at_;
        space();
        if (take('}')) return true;
        do {
            space();
            std::string name;
            if (peek() != '"') return fail("a member without a quoted name");
            if (!string(name)) return false;
            if (&v[name] != &JsonValue::none()) return fail("a name given twice in one object");
            space();
            if (!take(':')) return fail("no ':' after a name");
            v.members.emplace_back(name, JsonValue());
            if (!value(v.members.back().second)) return false;
            space();
        } while (take(','));
        return take('}') || fail("no ',' or '}' after a member");
    }

    const std::string& s_;
    std::size_t at_ = 0;
    std::string error_;
};
