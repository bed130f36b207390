#include "tools/kestro-book/file_io.h"

#include <fstream>
#include <iterator>

#include "tools/kestro-book/book_error.h"

std::vector<BYTE> ReadFileBytes(const std::string& path) {
  const std::string text = ReadFileText(path);
  return {text.begin(), text.end()};
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BookError(path + ": cannot be read");
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw BookError(path + ": cannot be read");
  return text;
}

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw BookError(path + ": cannot be written");
}
