// Every resource of the program: the book and its own user interface.
#pragma once

#include <span>

#include "platform/resources.h"

// The whole table, built once at the first call and alive for the run.
std::span<const ResourceEntry> ProgramResources();
