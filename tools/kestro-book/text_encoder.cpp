#include "tools/kestro-book/text_encoder.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

#include "text/text_code.h"

namespace {

constexpr char32_t kAlef = 0x05D0;
constexpr char32_t kTav = 0x05EA;
constexpr char32_t kFinalKaf = 0x05DA;
constexpr char32_t kVav = 0x05D5;
constexpr char32_t kShin = 0x05E9;
constexpr char32_t kHolam = 0x05B9;
constexpr char32_t kDagesh = 0x05BC;
constexpr char32_t kShinDot = 0x05C1;
constexpr char32_t kSinDot = 0x05C2;
constexpr char32_t kMaqaf = 0x05BE;
constexpr char32_t kGeresh = 0x05F3;
constexpr char32_t kGershayim = 0x05F4;
// Hebrew presentation forms: letter + dagesh at 0xFB30 + (letter - alef),
// shin with shin or sin dot (and dagesh) at 0xFB2A..0xFB2D, vav with holam.
constexpr char32_t kFirstDageshForm = 0xFB30;
constexpr char32_t kShinDotForm = 0xFB2A;
constexpr char32_t kVavHolamForm = 0xFB4B;

// The ASCII characters a source may hold; the rest (digits, Latin letters,
// other symbols) would be misread or turned around in right-to-left text.
constexpr std::string_view kAllowedAscii = " .,:;!?()-\"'";

bool IsLetter(char32_t c) { return c >= kAlef && c <= kTav; }
// Points, dots and cantillation marks that sit on the letter before them.
bool IsMark(char32_t c) { return c >= 0x0591 && c <= 0x05C7 && c != kMaqaf; }

// The Unicode column of the text code read backwards.
struct InverseColumn {
  std::map<char32_t, BYTE> single;                   // one code point -> code
  std::map<std::pair<char32_t, char32_t>, BYTE> pair;  // point, letter -> pair code
};

const InverseColumn& Inverse() {
  static const InverseColumn inverse = [] {
    InverseColumn built;
    for (int code = textcode::kFirstTableCode; code <= textcode::kLastTableCode; ++code) {
      const textcode::UnicodePair& entry = textcode::kUnicodeColumn[code - textcode::kFirstTableCode];
      if (entry.second == 0)
        built.single.emplace(entry.first, static_cast<BYTE>(code));
      else
        built.pair.emplace(std::pair<char32_t, char32_t>{entry.first, entry.second},
                           static_cast<BYTE>(code));
    }
    return built;
  }();
  return inverse;
}

BYTE VowelCode(char32_t c) {
  const auto found = Inverse().single.find(c);
  return found != Inverse().single.end() && textcode::IsVowelPoint(found->second) ? found->second
                                                                                  : 0;
}

// One mark of a letter and the column it came from; column 0: absent.
struct Mark {
  char32_t codePoint = 0;
  int column = 0;
};

// A letter with the marks gathered after it.
struct MarkedLetter {
  SourceChar letter;
  Mark dagesh;
  Mark dot;  // shin or sin dot
  Mark vowel;
};

class LineEncoder {
 public:
  LineEncoder(const SourceLine& where, Diagnostics& errors) : where_(where), errors_(errors) {}

  std::vector<BYTE> Encode(std::span<const SourceChar> chars) {
    for (std::size_t i = 0; i < chars.size();) {
      if (IsLetter(chars[i].codePoint)) {
        MarkedLetter letter{chars[i], {}, {}, {}};
        for (++i; i < chars.size() && IsMark(chars[i].codePoint); ++i) AddMark(letter, chars[i]);
        EncodeLetter(letter);
      } else {
        EncodeOther(chars[i++]);
      }
    }
    return std::move(out_);
  }

 private:
  void Refuse(char32_t c, int column, char32_t letter) {
    std::string message = CodePointName(c) + " cannot be written in the text code";
    if (letter != 0) message += " (on " + CodePointName(letter) + ")";
    errors_.push_back(LocatedMessage(where_, column, message));
  }

  void AddMark(MarkedLetter& letter, const SourceChar& mark) {
    Mark* slot = nullptr;
    if (mark.codePoint == kDagesh)
      slot = &letter.dagesh;
    else if (mark.codePoint == kShinDot || mark.codePoint == kSinDot)
      slot = &letter.dot;
    else if (VowelCode(mark.codePoint) != 0)
      slot = &letter.vowel;
    if (slot == nullptr || slot->column != 0 ||
        (slot == &letter.dot && letter.letter.codePoint != kShin)) {
      Refuse(mark.codePoint, mark.column, letter.letter.codePoint);
      return;
    }
    *slot = {mark.codePoint, mark.column};
  }

  // The code point of the letter with its dots: a presentation form or the
  // letter itself. Takes the holam of vav into the form.
  char32_t LetterForm(MarkedLetter& letter) {
    const char32_t base = letter.letter.codePoint;
    const bool dagesh = letter.dagesh.column != 0;
    if (letter.dot.column != 0)
      return kShinDotForm + (letter.dot.codePoint == kSinDot ? 1 : 0) + (dagesh ? 2 : 0);
    if (dagesh) return kFirstDageshForm + (base - kAlef);
    if (base == kVav && letter.vowel.codePoint == kHolam) {
      letter.vowel = {};
      return kVavHolamForm;
    }
    return base;
  }

  void EncodeLetter(MarkedLetter letter) {
    const char32_t form = LetterForm(letter);
    const auto code = Inverse().single.find(form);
    if (code == Inverse().single.end()) {  // a dagesh the letter cannot carry
      Refuse(letter.dagesh.codePoint, letter.dagesh.column, letter.letter.codePoint);
      return;
    }
    if (letter.vowel.column == 0) {
      out_.push_back(code->second);
      return;
    }
    const auto pair = Inverse().pair.find({letter.vowel.codePoint, form});
    if (pair != Inverse().pair.end()) {
      out_.push_back(pair->second);
    } else if (letter.letter.codePoint == kFinalKaf) {  // only qamats and sheva, as pairs
      Refuse(letter.vowel.codePoint, letter.vowel.column, letter.letter.codePoint);
    } else {
      out_.push_back(code->second);
      out_.push_back(VowelCode(letter.vowel.codePoint));
    }
  }

  void EncodeOther(const SourceChar& c) {
    if (c.codePoint == kMaqaf)
      out_.push_back('-');
    else if (c.codePoint == kGeresh)
      out_.push_back('\'');
    else if (c.codePoint == kGershayim)
      out_.push_back('"');
    else if (c.codePoint < 0x80 && kAllowedAscii.find(static_cast<char>(c.codePoint)) !=
                                       std::string_view::npos)
      out_.push_back(static_cast<BYTE>(c.codePoint));
    else
      Refuse(c.codePoint, c.column, 0);
  }

  const SourceLine& where_;
  Diagnostics& errors_;
  std::vector<BYTE> out_;
};

// The text code's brackets are '(' and '['; 123 is tav, not a brace.
BYTE MirroredBracket(BYTE b) {
  switch (b) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    default: return b;
  }
}

}  // namespace

std::string LocatedMessage(const SourceLine& where, int column, const std::string& message) {
  return where.path + ":" + std::to_string(where.number) + ":" + std::to_string(column) + ": " +
         message;
}

std::vector<BYTE> EncodeLine(std::span<const SourceChar> chars, const SourceLine& where,
                             Diagnostics& errors) {
  return LineEncoder(where, errors).Encode(chars);
}

void ReverseForDisplay(std::vector<BYTE>& text) {
  std::reverse(text.begin(), text.end());
  for (BYTE& b : text) b = MirroredBracket(b);
}
