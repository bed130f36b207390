#include "tools/kestro-book/palmdoc_compressor.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 10;
constexpr std::size_t kMaxDistance = 2047;
constexpr std::size_t kMaxLiteralRun = 8;
constexpr int kHashBits = 14;
constexpr std::size_t kMaxChainSteps = 512;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

struct Match {
  std::size_t length = 0;  // 0: none of kMinMatch bytes or more
  std::size_t distance = 0;
};

unsigned Hash3(const BYTE* p) {
  const std::uint32_t key = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  return (key * 2654435761u) >> (32 - kHashBits);
}

// The longest earlier match at every position, found through hash chains of
// the positions that start with the same three bytes.
std::vector<Match> FindMatches(std::span<const BYTE> data) {
  const std::size_t n = data.size();
  std::vector<Match> matches(n);
  std::vector<std::size_t> head(std::size_t{1} << kHashBits, kNone);
  std::vector<std::size_t> previous(n, kNone);
  for (std::size_t i = 0; i + kMinMatch <= n; ++i) {
    const unsigned hash = Hash3(&data[i]);
    const std::size_t limit = std::min(kMaxMatch, n - i);
    Match& best = matches[i];
    std::size_t steps = 0;
    for (std::size_t candidate = head[hash];
         candidate != kNone && i - candidate <= kMaxDistance && steps < kMaxChainSteps;
         candidate = previous[candidate], ++steps) {
      std::size_t length = 0;
      while (length < limit && data[candidate + length] == data[i + length]) ++length;
      if (length >= kMinMatch && length > best.length) best = {length, i - candidate};
      if (best.length == limit) break;
    }
    previous[i] = head[hash];
    head[hash] = i;
  }
  return matches;
}

bool StandsForItself(BYTE b) { return b == 0 || (b >= 9 && b < 0x80); }
bool IsSpacePair(std::span<const BYTE> data, std::size_t i) {
  return data[i] == ' ' && i + 1 < data.size() && data[i + 1] >= 0x40 && data[i + 1] < 0x80;
}

enum class Token : BYTE { kByte, kSpacePair, kLiteralRun, kReference };

// How the data from one position on is encoded best: the first token, the
// bytes it covers and the total encoded size from here to the end.
struct Step {
  Token token = Token::kByte;
  std::size_t covers = 0;
  std::size_t cost = 0;
};

std::vector<Step> PlanTokens(std::span<const BYTE> data, const std::vector<Match>& matches) {
  const std::size_t n = data.size();
  std::vector<Step> plan(n + 1);
  for (std::size_t i = n; i-- > 0;) {
    Step best{Token::kLiteralRun, 1, 2 + plan[i + 1].cost};
    auto consider = [&](Token token, std::size_t covers, std::size_t size) {
      const std::size_t cost = size + plan[i + covers].cost;
      if (cost < best.cost) best = {token, covers, cost};
    };
    if (StandsForItself(data[i])) consider(Token::kByte, 1, 1);
    if (IsSpacePair(data, i)) consider(Token::kSpacePair, 2, 1);
    for (std::size_t length = kMinMatch; length <= matches[i].length; ++length)
      consider(Token::kReference, length, 2);
    for (std::size_t count = 2; count <= std::min(kMaxLiteralRun, n - i); ++count)
      consider(Token::kLiteralRun, count, count + 1);
    plan[i] = best;
  }
  return plan;
}

}  // namespace

std::vector<BYTE> CompressPalmDoc(std::span<const BYTE> data) {
  const std::vector<Match> matches = FindMatches(data);
  const std::vector<Step> plan = PlanTokens(data, matches);
  std::vector<BYTE> out;
  out.reserve(plan[0].cost);
  for (std::size_t i = 0; i < data.size(); i += plan[i].covers) {
    const Step& step = plan[i];
    switch (step.token) {
      case Token::kByte: out.push_back(data[i]); break;
      case Token::kSpacePair: out.push_back(static_cast<BYTE>(data[i + 1] ^ 0x80)); break;
      case Token::kLiteralRun:
        out.push_back(static_cast<BYTE>(step.covers));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                   data.begin() + static_cast<std::ptrdiff_t>(i + step.covers));
        break;
      case Token::kReference: {
        const std::size_t word = 0x8000 | (matches[i].distance << 3) | (step.covers - kMinMatch);
        out.push_back(static_cast<BYTE>(word >> 8));
        out.push_back(static_cast<BYTE>(word & 0xFF));
        break;
      }
    }
  }
  return out;
}
