// A minimal PNG writer (8-bit RGB, stored deflate blocks): enough to look at
// rendered pages without an image library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels (rgb: 3 bytes per pixel, rows top to bottom)
// to path. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
