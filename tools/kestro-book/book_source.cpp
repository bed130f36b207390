#include "tools/kestro-book/book_source.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "tools/kestro-book/book_error.h"
#include "tools/kestro-book/container_writer.h"
#include "tools/kestro-book/file_io.h"

namespace {

// The paragraph numbers in order: the letters without final forms.
constexpr std::u32string_view kParagraphNumbers = U"אבגדהוזחטיכלמנסעפצקרשת";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The lines of a source, without line ends and a leading byte-order mark.
std::vector<std::string_view> SplitLines(std::string_view source) {
  if (source.starts_with(kByteOrderMark)) source.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> lines;
  while (!source.empty()) {
    const std::size_t end = std::min(source.find('\n'), source.size());
    std::string_view line = source.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    source.remove_prefix(std::min(end + 1, source.size()));
  }
  return lines;
}

// The characters of a line without spaces at either end.
std::vector<SourceChar> DecodeLine(std::string_view text, const SourceLine& where,
                                   Diagnostics& errors) {
  int badColumn = 0;
  std::vector<SourceChar> chars = DecodeUtf8(text, &badColumn);
  if (badColumn != 0) errors.push_back(LocatedMessage(where, badColumn, "invalid UTF-8"));
  auto isSpace = [](const SourceChar& c) { return c.codePoint == ' ' || c.codePoint == '\t'; };
  while (!chars.empty() && isSpace(chars.back())) chars.pop_back();
  const auto first = std::find_if_not(chars.begin(), chars.end(), isSpace);
  chars.erase(chars.begin(), first);
  return chars;
}

// Appends one text record: attribute, indent byte, the text in display
// order, the terminating zero.
void AppendRecord(std::vector<BYTE>& out, BYTE attr, BYTE indent, std::vector<BYTE> text) {
  ReverseForDisplay(text);
  out.push_back(attr);
  out.push_back(indent);
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

// Checks that paragraph `ordinal` (0-based) begins with its number: the
// letter, ".", a space.
void CheckParagraphNumber(std::span<const SourceChar> chars, std::size_t ordinal,
                          const SourceLine& where, Diagnostics& errors) {
  if (ordinal >= kParagraphNumbers.size()) {
    errors.push_back(LocatedMessage(where, 1, "more than 22 paragraphs"));
    return;
  }
  const char32_t expected[] = {kParagraphNumbers[ordinal], U'.', U' '};
  for (std::size_t k = 0; k < std::size(expected); ++k) {
    if (k < chars.size() && chars[k].codePoint == expected[k]) continue;
    std::string number;
    AppendUtf8(number, expected[0]);
    errors.push_back(LocatedMessage(where, static_cast<int>(k) + 1,
                                    "paragraph " + std::to_string(ordinal + 1) +
                                        " must begin with its number \"" + number + ". \""));
    return;
  }
}

std::string FileMessage(const std::string& path, const std::string& message) {
  return path + ": " + message;
}

}  // namespace

std::string ArticleFileName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "article%02d.txt", number);
  return name;
}

std::vector<BYTE> CompileArticle(const std::string& path, std::string_view source,
                                 Diagnostics& errors) {
  std::vector<std::string_view> lines = SplitLines(source);
  if (lines.empty()) lines.emplace_back();  // an empty file: a missing title
  std::vector<BYTE> article;
  std::size_t paragraphs = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const SourceLine where{path, static_cast<int>(i) + 1};
    const std::vector<SourceChar> chars = DecodeLine(lines[i], where, errors);
    if (i == 0) {
      if (chars.empty()) errors.push_back(LocatedMessage(where, 1, "the title is missing"));
      AppendRecord(article, kTitleAttr, kTitleIndent, EncodeLine(chars, where, errors));
    } else if (!chars.empty()) {
      CheckParagraphNumber(chars, paragraphs++, where, errors);
      AppendRecord(article, kParagraphAttr, kParagraphIndent, EncodeLine(chars, where, errors));
    }
  }
  if (paragraphs == 0) errors.push_back(FileMessage(path, "the Article has no paragraphs"));
  article.insert(article.end(), 3, 0);  // end record: Attr 0, Indent 0, empty text
  if (article.size() > kMaxContainerLength)
    errors.push_back(FileMessage(path, "the Article is " + std::to_string(article.size()) +
                                           " bytes, more than 65535"));
  return article;
}

std::vector<BYTE> CompileIndex(const std::string& path, std::string_view source,
                               Diagnostics& errors) {
  const std::vector<std::string_view> lines = SplitLines(source);
  std::vector<BYTE> index;
  int labels = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const SourceLine where{path, static_cast<int>(i) + 1};
    std::vector<SourceChar> chars = DecodeLine(lines[i], where, errors);
    if (chars.empty()) continue;
    if (++labels > kArticleCount) {
      errors.push_back(LocatedMessage(where, 1, "more than twelve labels"));
      break;
    }
    std::vector<BYTE> label = EncodeLine(chars, where, errors);
    ReverseForDisplay(label);
    const WORD id = kIndexTargetId + labels;
    index.insert(index.end(), {static_cast<BYTE>(id & 0xFF), static_cast<BYTE>(id >> 8),
                               kIndexStyle, kIndexLevel});
    index.insert(index.end(), label.begin(), label.end());
    index.push_back(0);
  }
  if (labels < kArticleCount)
    errors.push_back(FileMessage(path, std::to_string(labels) + " labels, twelve needed"));
  index.insert(index.end(), 5, 0);  // an empty entry ends the list
  return index;
}

void BuildBook(const std::string& srcDir, const std::string& outDir) {
  struct Resource {
    std::string source;
    unsigned id;
    std::vector<BYTE> raw;
    ContainerNumbers numbers;
  };
  std::vector<Resource> resources;
  Diagnostics errors;
  for (int n = 1; n <= kArticleCount; ++n) {
    const std::string path = (std::filesystem::path(srcDir) / ArticleFileName(n)).string();
    resources.push_back({path, 1000u + n, CompileArticle(path, ReadFileText(path), errors),
                         ArticleNumbers(n)});
  }
  const std::string indexPath = (std::filesystem::path(srcDir) / kIndexFileName).string();
  resources.push_back(
      {indexPath, 32767, CompileIndex(indexPath, ReadFileText(indexPath), errors), kIndexNumbers});

  std::vector<std::pair<std::string, std::vector<BYTE>>> containers;
  for (const Resource& r : resources) {
    if (r.raw.size() > kMaxContainerLength) continue;  // reported above
    try {
      containers.emplace_back((std::filesystem::path(outDir) / std::to_string(r.id)).string(),
                              PackContainer(r.raw, r.numbers));
    } catch (const BookError& e) {
      errors.push_back(FileMessage(r.source, e.what()));
    }
  }
  if (!errors.empty()) {
    std::string all;
    for (const std::string& e : errors) all += (all.empty() ? "" : "\n") + e;
    throw BookError(all);
  }
  std::filesystem::create_directories(outDir);
  for (const auto& [path, bytes] : containers) WriteFileBytes(path, bytes);
}
