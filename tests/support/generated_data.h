// Generated inputs for the compressor and the container tools.
#pragma once

#include <random>
#include <vector>

#include "platform/types.h"

namespace generated {

inline std::vector<BYTE> RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<BYTE> out(size);
  for (BYTE& b : out) b = static_cast<BYTE>(random());
  return out;
}

// Words of text-code letters and vowel points between spaces, with the odd
// punctuation and record bytes, as the book is made of.
inline std::vector<BYTE> TextLike(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::vector<BYTE>> words;
  for (int w = 0; w < 300; ++w) {
    std::vector<BYTE> word;
    const int letters = 2 + static_cast<int>(random() % 6);
    for (int k = 0; k < letters; ++k) {
      if (random() % 3 != 0) word.push_back(static_cast<BYTE>(21 + random() % 11));
      word.push_back(static_cast<BYTE>(65 + random() % 59));
    }
    words.push_back(word);
  }
  std::vector<BYTE> out;
  while (out.size() < size) {
    const std::vector<BYTE>& word = words[random() % words.size()];
    out.insert(out.end(), word.begin(), word.end());
    if (random() % 12 == 0) out.insert(out.end(), {'.', 0, 0xB1, 0x40});
    out.push_back(random() % 9 == 0 ? ',' : ' ');
  }
  out.resize(size);
  return out;
}

// Bytes repeating with the given period, escapes and high bytes among them.
inline std::vector<BYTE> Repeating(std::size_t size, std::size_t period) {
  std::vector<BYTE> out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<BYTE>((i % period) * 37 + 1);
  return out;
}

}  // namespace generated
