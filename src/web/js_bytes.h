#pragma once
// Bytes across the binding layer: a JavaScript Uint8Array (or any array of byte values) copied
// into a vector, and a vector copied out into a new Uint8Array.
#include <emscripten/val.h>

#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> bytesOf(const emscripten::val& array) {
    std::vector<std::uint8_t> bytes(array["length"].as<std::size_t>());
    emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
    return bytes;
}

inline emscripten::val arrayOf(const std::vector<std::uint8_t>& bytes) {
    return emscripten::val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}
