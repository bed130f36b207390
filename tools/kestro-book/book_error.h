// The one error type of the book compiler: its text is the whole message,
// e.g. "res/book/article03.txt:12:7: U+05BD cannot be written in the text code".
#pragma once

#include <stdexcept>

struct BookError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
