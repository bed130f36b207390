// The text code: the reader's own 8-bit code for pointed Hebrew, and its two
// conversion columns (Unicode fonts, single-byte Hebrew fonts).
#pragma once

#include <cstdint>

namespace textcode {

inline constexpr std::uint8_t kFirstTableCode = 16;  // codes 16..123 have table entries
inline constexpr std::uint8_t kLastTableCode = 123;
inline constexpr int kTableSize = kLastTableCode - kFirstTableCode + 1;  // 108

inline constexpr std::uint8_t kFirstPairKaf = 16;    // 16..19: point + final kaf
inline constexpr std::uint8_t kReshDagesh = 20;
inline constexpr std::uint8_t kFirstPoint = 21;      // 21..31: vowel points
inline constexpr std::uint8_t kHolam = 31;
inline constexpr std::uint8_t kFirstMarked = 65;     // 65..88: marked letters
inline constexpr std::uint8_t kVavHolam = 88;
inline constexpr std::uint8_t kLamedDageshHolam = 89;  // 89, 90: holam + lamed
inline constexpr std::uint8_t kLamedHolam = 90;
inline constexpr std::uint8_t kAlef = 97;            // 97..123: the 27 letters
inline constexpr std::uint8_t kTav = 123;

inline constexpr char16_t kHolamCodePoint = 0x05B9;

// One entry of the Unicode column: first code point, second (0: none).
struct UnicodePair {
  char16_t first;
  char16_t second;
};

// Indexed by code - 16.
extern const UnicodePair kUnicodeColumn[kTableSize];
// Indexed by code - 16; 0 means the code is dropped (vowel points).
extern const std::uint8_t kSingleByteColumn[kTableSize];

constexpr bool IsVowelPoint(std::uint8_t code) { return code >= kFirstPoint && code <= kHolam; }
constexpr bool HasTableEntry(std::uint8_t code) {
  return code >= kFirstTableCode && code <= kLastTableCode;
}

}  // namespace textcode
