// kestro-book: compiles the book's sources into the reader's resources and
// looks inside containers.
//
//   kestro-book build SRC_DIR OUT_DIR       the thirteen containers, named by id
//   kestro-book pack RAW_FILE [N|index]     a container on stdout (Article N, default 1)
//   kestro-book unpack CONTAINER            the decompressed bytes on stdout
//   kestro-book show CONTAINER              the records as readable text
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/msgbox.h"
#include "store/article_store.h"
#include "store/container.h"
#include "tools/kestro-book/book_error.h"
#include "tools/kestro-book/book_show.h"
#include "tools/kestro-book/book_source.h"
#include "tools/kestro-book/container_writer.h"
#include "tools/kestro-book/file_io.h"
#include "tools/kestro-book/utf8.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

int PrintMessageBox(HWND, LPCWSTR text, LPCWSTR, UINT) {
  std::string line;
  for (; *text != 0; ++text) AppendUtf8(line, *text);
  std::fprintf(stderr, "%s\n", line.c_str());
  return IDOK;
}

void WriteStdout(const BYTE* bytes, std::size_t size) {
  if (std::fwrite(bytes, 1, size, stdout) != size || std::fflush(stdout) != 0)
    throw BookError("cannot write to standard output");
}

void WriteStdout(const std::string& text) {
  WriteStdout(reinterpret_cast<const BYTE*>(text.data()), text.size());
}

ContainerNumbers PackNumbers(const char* which) {
  if (which == nullptr) return ArticleNumbers(1);
  if (std::strcmp(which, "index") == 0) return kIndexNumbers;
  const int n = std::atoi(which);
  if (n < 1 || n > 255) throw BookError(std::string("not an Article number: ") + which);
  return ArticleNumbers(static_cast<unsigned>(n));
}

// The decompressed content of a container file, or false after the message
// "UnCompress() buffer error!" when it is damaged. A container of nothing
// (C = 0 and U = 0, as `pack` makes of an empty file) gives no bytes.
bool Decompress(const std::vector<BYTE>& container, std::vector<BYTE>* content,
                bool* isIndex) {
  ContainerHeader header;
  const bool readable = ReadContainerHeader(container.data(), container.size(), &header);
  if (readable && header.compressedLength == 0 && header.length == 0) return true;
  if (!readable || header.payloadLength < 5 || header.compressedLength == 0 ||
      header.length == 0) {
    MessageBoxW(nullptr, kBufferErrorText, nullptr, MB_OK);
    return false;
  }
  BYTE* bytes =
      UnCompress(container.data() + kContainerHeaderSize, header.presentLength, header.length);
  if (bytes == nullptr) return false;
  content->assign(bytes, bytes + header.length);
  std::free(bytes);
  *isIndex = ReadBigEndian16(container.data() + 4) == kIndexNumbers.second;
  return true;
}

int Run(int argc, char** argv) {
  const std::string_view verb = argc > 1 ? argv[1] : "";
  if (verb == "build" && argc == 4) {
    BuildBook(argv[2], argv[3]);
    return 0;
  }
  if (verb == "pack" && (argc == 3 || argc == 4)) {
    const std::vector<BYTE> container =
        PackContainer(ReadFileBytes(argv[2]), PackNumbers(argc == 4 ? argv[3] : nullptr));
    WriteStdout(container.data(), container.size());
    return 0;
  }
  if ((verb == "unpack" || verb == "show") && argc == 3) {
    std::vector<BYTE> content;
    bool isIndex = false;
    if (!Decompress(ReadFileBytes(argv[2]), &content, &isIndex)) return kFailure;
    if (verb == "unpack")
      WriteStdout(content.data(), content.size());
    else
      WriteStdout(isIndex ? DescribeIndex(content) : DescribeArticle(content));
    return 0;
  }
  std::fprintf(stderr,
               "usage: kestro-book build SRC_DIR OUT_DIR\n"
               "       kestro-book pack RAW_FILE [ARTICLE|index] > CONTAINER\n"
               "       kestro-book unpack CONTAINER > RAW_FILE\n"
               "       kestro-book show CONTAINER\n");
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  SetMessageBoxHook(PrintMessageBox);
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kFailure;
  }
}
