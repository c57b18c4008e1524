#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// Little-endian bytes appended one field at a time.
class ByteBuffer {
  public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void f32(float value) {
        std::uint32_t raw;
        std::memcpy(&raw, &value, sizeof raw);
        u32(raw);
    }
    void text(std::string_view value) { bytes_.insert(bytes_.end(), value.begin(), value.end()); }
    // A length-prefixed string: u32 length, then the characters.
    void string(std::string_view value) {
        u32(static_cast<std::uint32_t>(value.size()));
        text(value);
    }
    void append(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};
