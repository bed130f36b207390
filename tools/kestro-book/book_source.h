// The book's sources (UTF-8, logical order) compiled into the decompressed
// resources: Articles of paragraph records and the index entry list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "tools/kestro-book/text_encoder.h"

inline constexpr int kArticleCount = 12;

// Paragraph record attributes of this book.
inline constexpr BYTE kTitleAttr = 0xDC;  // right-to-left, centred, heading, blank line after
inline constexpr BYTE kTitleIndent = 0x00;
inline constexpr BYTE kParagraphAttr = 0xB1;  // right-to-left, right-aligned, blank line after
inline constexpr BYTE kParagraphIndent = 0x40;  // hang level 1: the number hangs

// Index entries: a Target per Article, visible, level 1.
inline constexpr WORD kIndexTargetId = 0x4000;
inline constexpr BYTE kIndexStyle = 0x81;
inline constexpr BYTE kIndexLevel = 1;

// "article03.txt": the source file of Article `number` in the book's folder.
std::string ArticleFileName(int number);
inline constexpr const char* kIndexFileName = "index.txt";

// An Article source: line 1 the title, every further non-empty line one
// paragraph that begins with its number ("א. ", "ב. ", ...). Returns the
// records: the title, the paragraphs, the end record 00 00 00. Each fault
// adds a message naming `path`, line and column to `errors`.
std::vector<BYTE> CompileArticle(const std::string& path, std::string_view source,
                                 Diagnostics& errors);

// The index source: twelve non-empty lines, line n the label of Article n.
// Returns the twelve entries followed by five zero bytes.
std::vector<BYTE> CompileIndex(const std::string& path, std::string_view source,
                               Diagnostics& errors);

// Compiles srcDir/article01.txt .. article12.txt and srcDir/index.txt and
// writes the thirteen containers to outDir, each named by its resource id
// (1001 .. 1012, 32767). Throws BookError with every message when a source
// is faulty or a file cannot be read or written; writes nothing then.
void BuildBook(const std::string& srcDir, const std::string& outDir);
