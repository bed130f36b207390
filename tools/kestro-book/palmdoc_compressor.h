// Our PalmDoc compressor: the LZ77 scheme the Article store decompresses.
#pragma once

#include <span>
#include <vector>

#include "platform/types.h"

// `data` compressed so that UnCompress gives it back byte for byte. Picks the
// shortest encoding the scheme allows for the matches it finds (an optimal
// parse over literal bytes, literal runs, space pairs and back-references of
// 3 to 10 bytes up to 2047 back). Works for any size; the container limits
// what can be stored.
std::vector<BYTE> CompressPalmDoc(std::span<const BYTE> data);
