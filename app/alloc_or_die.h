// Allocation that ends the program in an orderly way when memory runs out.
#pragma once

#include <cstddef>

// A block of `size` bytes from malloc (release with free). On failure shows
// "There is not enough memory, aborting", runs the save step installed with
// SetOutOfMemorySave (if any) and ends the process; it never returns NULL.
void* AllocOrDie(std::size_t size);

// The step that stores the settings before the program ends for lack of
// memory. Start-up installs it only once the settings have been read, so a
// failure while they are still being read never writes back unloaded values.
void SetOutOfMemorySave(void (*save)());
