#pragma once
// Explicit little-endian byte writer and reader for files and the wire. Records are never
// copied as memory images; each codec writes and reads its fields one by one.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) { u8(static_cast<std::uint8_t>(v)); u8(static_cast<std::uint8_t>(v >> 8)); }
    void u32(std::uint32_t v) { u16(static_cast<std::uint16_t>(v)); u16(static_cast<std::uint16_t>(v >> 16)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { std::uint32_t bits; std::memcpy(&bits, &v, 4); u32(bits); }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    void bytes(const std::uint8_t* p, std::size_t n) { out_.insert(out_.end(), p, p + n); }

private:
    std::vector<std::uint8_t>& out_;
};

// Reads from a fixed range; past the end it yields zeros and remembers that it ran out.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t u8() {
        if (pos_ >= size_) { overrun_ = true; return 0; }
        return data_[pos_++];
    }
    std::uint16_t u16() { std::uint16_t lo = u8(); return static_cast<std::uint16_t>(lo | (u8() << 8)); }
    std::uint32_t u32() { std::uint32_t lo = u16(); return lo | (static_cast<std::uint32_t>(u16()) << 16); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() { std::uint32_t bits = u32(); float v; std::memcpy(&v, &bits, 4); return v; }
    void skip(std::size_t n) { for (std::size_t i = 0; i < n; ++i) u8(); }

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool overrun() const { return overrun_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool overrun_ = false;
};
