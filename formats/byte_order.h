#pragma once
// Little-endian packing of the fixed-width numbers in the binary files, and a
// bounds-checked reader that takes them back out. Writers append bytes to a
// std::string; nothing here depends on the host's byte order or struct layout.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace compiler {

inline void put_u8(std::string& out, std::uint8_t value) { out.push_back(static_cast<char>(value)); }

inline void put_u16(std::string& out, std::uint16_t value) {
  const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  out.append(bytes, 2);
}

inline void put_i16(std::string& out, std::int16_t value) { put_u16(out, static_cast<std::uint16_t>(value)); }

inline void put_u32(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                         static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
  out.append(bytes, 4);
}

inline void put_i32(std::string& out, std::int32_t value) { put_u32(out, static_cast<std::uint32_t>(value)); }

inline void put_u64(std::string& out, std::uint64_t value) {
  char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  out.append(bytes, 8);
}

// A double as its IEEE 754 bit pattern, so every value (signed zero, NaN
// payloads, subnormals) comes back bit for bit.
inline void put_f64(std::string& out, double value) { put_u64(out, std::bit_cast<std::uint64_t>(value)); }

// The same packing into a buffer the caller has sized: each stores its value
// at out and returns the position just after it.
inline char* store_u16(char* out, std::uint16_t value) {
  out[0] = static_cast<char>(value & 0xFF);
  out[1] = static_cast<char>(value >> 8);
  return out + 2;
}

inline char* store_u64(char* out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out + 8;
}

inline char* store_f64(char* out, double value) { return store_u64(out, std::bit_cast<std::uint64_t>(value)); }

// Reads numbers from the front of a byte string. A read that would run past
// the end yields 0, consumes nothing and sets failed(); once failed, every
// later read fails too, so a decoder can check once after a whole record.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }
  bool at_end() const { return position_ == bytes_.size(); }
  bool failed() const { return failed_; }

  std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
  std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
  std::int16_t i16() { return static_cast<std::int16_t>(take(2)); }
  std::int32_t i32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(take(4))); }
  double f64() { return std::bit_cast<double>(take(8)); }

  // The next count bytes as they stand; empty and failed() when fewer remain.
  std::string_view bytes(std::size_t count) {
    if (failed_ || count > remaining()) {
      failed_ = true;
      return {};
    }
    std::string_view part = bytes_.substr(position_, count);
    position_ += count;
    return part;
  }

 private:
  std::uint64_t take(std::size_t count) {
    if (failed_ || count > remaining()) {
      failed_ = true;
      return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
      value |= std::uint64_t{static_cast<unsigned char>(bytes_[position_ + i])} << (8 * i);
    }
    position_ += count;
    return value;
  }

  std::string_view bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

// What a decoder gives back: the decoded structure, or an error that says
// where and why the bytes do not fit the layout (value is then unspecified).
template <typename T>
struct Decoded {
  T value{};
  std::string error;
  bool ok() const { return error.empty(); }
};

}  // namespace compiler
