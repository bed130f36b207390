// The book's resources: RCDATA 1001..1012 (the Articles) and 32767 (the
// index), compiled from res/book/ by kestro-book and embedded at build time.
#pragma once

#include <vector>

#include "platform/resources.h"

// Appends the thirteen book resources to `table`; their bytes live for the
// whole run.
void AddBookResources(std::vector<ResourceEntry>& table);
