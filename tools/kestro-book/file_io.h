// Whole files in and out, for the book compiler.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

// The file's bytes; throws BookError naming the path when it cannot be read.
std::vector<BYTE> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);

// Throws BookError naming the path when the file cannot be written.
void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes);
