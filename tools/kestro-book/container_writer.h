// Writes the container the Article store reads (layout in store/container.h).
#pragma once

#include <span>
#include <vector>

#include "platform/types.h"

// The two Article-number fields of a container.
struct ContainerNumbers {
  unsigned first;
  unsigned second;
};

constexpr ContainerNumbers ArticleNumbers(unsigned article) { return {article, article}; }
inline constexpr ContainerNumbers kIndexNumbers{1, 255};

// The largest decompressed size (U is 16-bit) and compressed size (L = C + 8
// is 16-bit) a container holds.
inline constexpr std::size_t kMaxContainerLength = 65535;
inline constexpr std::size_t kMaxContainerCompressed = 65535 - 8;

// `raw` compressed and wrapped. Throws BookError when `raw` or its compressed
// form is too large for the container's 16-bit fields.
std::vector<BYTE> PackContainer(std::span<const BYTE> raw, ContainerNumbers numbers);
