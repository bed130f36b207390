// Source characters into the text code: letters with their marks in any
// order, the pair codes, punctuation, and everything the code cannot hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kestro-book/text_encoder.h"
#include "tools/kestro-book/utf8.h"

namespace {

using Bytes = std::vector<BYTE>;

const std::string kPath = "res/book/article03.txt";

Bytes Encode(const std::string& utf8, Diagnostics& errors) {
  int badColumn = 0;
  const std::vector<SourceChar> chars = DecodeUtf8(utf8, &badColumn);
  EXPECT_EQ(badColumn, 0) << utf8;
  return EncodeLine(chars, SourceLine{kPath, 12}, errors);
}

struct ValidCase {
  const char* name;
  std::string source;
  Bytes expected;  // reading order
};

TEST(EncodeLine, LettersMarksAndPunctuation) {
  const ValidCase cases[] = {
      {"plain letters", "אבת", {97, 98, 123}},
      {"final forms", "ךםןףץ", {107, 110, 112, 116, 118}},
      {"letter and vowel", "בַ", {98, 23}},
      {"dagesh before vowel", "ב\u05BC\u05B7", {69, 23}},
      {"dagesh after vowel", "ב\u05B7\u05BC", {69, 23}},
      {"every vowel point", "א\u05B4א\u05B8א\u05B7א\u05B5א\u05B6א\u05BBא\u05B0א\u05B3א\u05B2א\u05B1א\u05B9",
       {97, 21, 97, 22, 97, 23, 97, 24, 97, 25, 97, 26, 97, 27, 97, 28, 97, 29, 97, 30, 97, 31}},
      {"shin dot", "ש\u05C1", {65}},
      {"sin dot", "ש\u05C2", {66}},
      {"shin dot, qamats, dagesh in any order", "ש\u05B8\u05C1\u05BC", {67, 22}},
      {"dagesh and sin dot", "ש\u05C2\u05BC", {68}},
      {"shin with dagesh only", "ש\u05BC", {86}},
      {"he with mappiq", "ה\u05BC", {72}},
      {"resh with dagesh", "ר\u05BC", {20}},
      {"tav with dagesh and hiriq", "ת\u05BC\u05B4", {87, 21}},
      {"shuruq", "ו\u05BC", {73}},
      {"holam male", "ו\u05B9", {88}},
      {"vav with dagesh and holam", "ו\u05BC\u05B9", {73, 31}},
      {"final kaf with qamats", "ך\u05B8", {16}},
      {"final kaf with dagesh and qamats", "ך\u05B8\u05BC", {17}},
      {"final kaf with sheva", "ך\u05B0", {18}},
      {"final kaf with dagesh and sheva", "ך\u05BC\u05B0", {19}},
      {"final kaf with dagesh", "ך\u05BC", {77}},
      {"lamed with holam", "ל\u05B9", {90}},
      {"lamed with dagesh and holam", "ל\u05B9\u05BC", {89}},
      {"lamed with patah", "ל\u05B7", {109, 23}},
      {"maqaf, geresh, gershayim", "א\u05BEב\u05F3ג\u05F4", {97, '-', 98, '\'', 99, '"'}},
      {"punctuation", " .,:;!?()-\"'", {' ', '.', ',', ':', ';', '!', '?', '(', ')', '-', '"', '\''}},
  };
  for (const ValidCase& c : cases) {
    Diagnostics errors;
    EXPECT_EQ(Encode(c.source, errors), c.expected) << c.name;
    EXPECT_TRUE(errors.empty()) << c.name << ": " << (errors.empty() ? "" : errors[0]);
  }
}

struct InvalidCase {
  const char* name;
  std::string source;
  std::string message;
};

TEST(EncodeLine, ReportsWhatTheTextCodeCannotHold) {
  const std::string at = kPath + ":12:";
  const std::string cannot = " cannot be written in the text code";
  const InvalidCase cases[] = {
      {"meteg", "בּ\u05BD", at + "3: U+05BD" + cannot + " (on U+05D1)"},
      {"cantillation", "א\u0591", at + "2: U+0591" + cannot + " (on U+05D0)"},
      {"qamats qatan", "כ\u05C7", at + "2: U+05C7" + cannot + " (on U+05DB)"},
      {"holam haser for vav", "ו\u05BA", at + "2: U+05BA" + cannot + " (on U+05D5)"},
      {"rafe", "ב\u05BF", at + "2: U+05BF" + cannot + " (on U+05D1)"},
      {"two vowel points", "אב\u05B7\u05B8", at + "4: U+05B8" + cannot + " (on U+05D1)"},
      {"two dageshes", "ב\u05BC\u05BC", at + "3: U+05BC" + cannot + " (on U+05D1)"},
      {"dagesh in alef", "א\u05BC", at + "2: U+05BC" + cannot + " (on U+05D0)"},
      {"dagesh in het", "ח\u05B8\u05BC", at + "3: U+05BC" + cannot + " (on U+05D7)"},
      {"dagesh in final pe", "ף\u05BC", at + "2: U+05BC" + cannot + " (on U+05E3)"},
      {"shin dot on samekh", "ס\u05C1", at + "2: U+05C1" + cannot + " (on U+05E1)"},
      {"shin and sin dot", "ש\u05C1\u05C2", at + "3: U+05C2" + cannot + " (on U+05E9)"},
      {"final kaf with patah", "ך\u05B7", at + "2: U+05B7" + cannot + " (on U+05DA)"},
      {"vowel with no letter", "\u05B8א", at + "1: U+05B8" + cannot},
      {"vowel after a space", "א \u05B8", at + "3: U+05B8" + cannot},
      {"digit", "א1", at + "2: U+0031" + cannot},
      {"Latin capital", "A", at + "1: U+0041" + cannot},
      {"Latin small", "ab", at + "1: U+0061" + cannot},
      {"slash", "/", at + "1: U+002F" + cannot},
      {"tab", "\t", at + "1: U+0009" + cannot},
      {"sof pasuq", "א\u05C3", at + "2: U+05C3" + cannot + " (on U+05D0)"},
  };
  for (const InvalidCase& c : cases) {
    Diagnostics errors;
    Encode(c.source, errors);
    ASSERT_FALSE(errors.empty()) << c.name;
    EXPECT_EQ(errors[0], c.message) << c.name;
  }
}

TEST(ReverseForDisplay, ReversesAndMirrorsBracketsButNotTav) {
  Bytes text = {'(', 98, 23, 123, ')', '[', ']'};
  ReverseForDisplay(text);
  EXPECT_EQ(text, (Bytes{'[', ']', '(', 123, 23, 98, ')'}));
}

}  // namespace
