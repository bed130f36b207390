#include "platform/qt/registry_file.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <QStringTokenizer>
#include <optional>

#include "platform/registry.h"

namespace {
constexpr QLatin1StringView kHeader("REGEDIT4");
constexpr QLatin1StringView kRoot("HKEY_CURRENT_USER");

// The physical lines of a file, each decoded from UTF-8 and trimmed on demand.
class Lines {
 public:
  explicit Lines(const QByteArray& text) : raw_(text.split('\n')) {}

  // False at the end. `valid` is false for a line that is not UTF-8.
  bool Next(QString& line, bool& valid) {
    if (next_ >= raw_.size()) return false;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    line = QString(decoder.decode(raw_[next_++])).trimmed();
    valid = !decoder.hasError();
    return true;
  }

  int Number() const { return static_cast<int>(next_); }  // of the line last returned

 private:
  QList<QByteArray> raw_;
  qsizetype next_ = 0;
};

int HexDigit(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  return -1;
}

std::optional<DWORD> ParseHex(QStringView digits, qsizetype maxDigits) {
  if (digits.isEmpty() || digits.size() > maxDigits) return std::nullopt;
  DWORD value = 0;
  for (QChar c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<DWORD>(digit);
  }
  return value;
}

// Reads the quoted text starting at s[0] ('"'), undoing \\ and \".
// Returns the position after the closing quote, or -1.
qsizetype ParseQuoted(QStringView s, QString& text) {
  for (qsizetype i = 1; i < s.size(); ++i) {
    if (s[i] == u'"') return i + 1;
    if (s[i] == u'\\') {
      if (++i == s.size() || (s[i] != u'\\' && s[i] != u'"')) return -1;
    }
    text += s[i];
  }
  return -1;
}

QByteArray Utf16Bytes(const QString& text) {
  QByteArray bytes;
  for (QChar c : text) {
    bytes += static_cast<char>(c.unicode() & 0xFF);
    bytes += static_cast<char>(c.unicode() >> 8);
  }
  return bytes;
}

std::optional<QByteArray> ParseString(QStringView data) {
  QString text;
  if (ParseQuoted(data, text) != data.size()) return std::nullopt;
  return Utf16Bytes(text) + QByteArray(2, '\0');
}

std::optional<QByteArray> ParseDword(QStringView digits) {
  const std::optional<DWORD> value = ParseHex(digits.trimmed(), 8);
  if (!value) return std::nullopt;
  QByteArray bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((*value >> shift) & 0xFF);
  return bytes;
}

std::optional<QByteArray> ParseBytes(QStringView list) {
  QByteArray bytes;
  if (list.trimmed().isEmpty()) return bytes;
  for (QStringView piece : QStringTokenizer(list, u',')) {
    const std::optional<DWORD> byte = ParseHex(piece.trimmed(), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

// "hex:..." or "hex(<type>):...", continued on the next lines while a line
// ends with a backslash.
std::optional<RegistryValue> ParseHexData(QStringView data, Lines& lines) {
  RegistryValue value{{}, REG_BINARY, {}};
  QStringView rest = data.mid(3);
  if (rest.startsWith(u'(')) {
    const qsizetype close = rest.indexOf(u')');
    const std::optional<DWORD> type =
        close < 0 ? std::nullopt : ParseHex(rest.mid(1, close - 1), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    rest = rest.mid(close + 1);
  }
  if (!rest.startsWith(u':')) return std::nullopt;
  QString list = rest.mid(1).toString();
  while (list.endsWith(u'\\')) {
    QString next;
    bool valid = false;
    if (!lines.Next(next, valid) || !valid) return std::nullopt;
    list.chop(1);
    list += next;
  }
  const std::optional<QByteArray> bytes = ParseBytes(list);
  if (!bytes) return std::nullopt;
  value.data = *bytes;
  return value;
}

std::optional<RegistryValue> ParseData(QStringView data, Lines& lines) {
  if (data.startsWith(u'"')) {
    const std::optional<QByteArray> bytes = ParseString(data);
    if (bytes) return RegistryValue{{}, REG_SZ, *bytes};
  } else if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
    const std::optional<QByteArray> bytes = ParseDword(data.mid(6));
    if (bytes) return RegistryValue{{}, REG_DWORD, *bytes};
  } else if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
    return ParseHexData(data, lines);
  }
  return std::nullopt;
}

// `"Name"=data` or `@=data`, with any spacing around the '='.
std::optional<RegistryValue> ParseValueLine(QStringView line, Lines& lines) {
  QString name;
  qsizetype pos = 1;
  if (line.startsWith(u'"')) {
    pos = ParseQuoted(line, name);
  } else if (!line.startsWith(u'@')) {
    return std::nullopt;
  }
  if (pos < 0) return std::nullopt;
  const QStringView rest = line.mid(pos).trimmed();
  if (!rest.startsWith(u'=')) return std::nullopt;
  std::optional<RegistryValue> value = ParseData(rest.mid(1).trimmed(), lines);
  if (value) value->name = name;
  return value;
}

// "[HKEY_CURRENT_USER\path]": the key's path, or nothing for another root,
// a deletion ("[-...]") or a line that is not a header.
std::optional<QString> ParseHeaderLine(QStringView line) {
  if (!line.endsWith(u']')) return std::nullopt;
  const QStringView inside = line.mid(1, line.size() - 2);
  const qsizetype slash = inside.indexOf(u'\\');
  const QStringView root = slash < 0 ? inside : inside.left(slash);
  if (root.compare(kRoot, Qt::CaseInsensitive) != 0) return std::nullopt;
  return NormalKeyPath(slash < 0 ? QString() : inside.mid(slash + 1).toString());
}

// The first non-blank line must be the header; true when it is (or there is
// no such line: an empty file).
bool ReadHeader(Lines& lines) {
  QString line;
  bool valid = false;
  while (lines.Next(line, valid)) {
    if (valid && line.isEmpty()) continue;
    return valid && line.compare(kHeader, Qt::CaseInsensitive) == 0;
  }
  return true;
}

void Skip(ParsedRegistry& parsed, int lineNumber) {
  if (parsed.skippedLines++ == 0) parsed.firstSkippedLine = lineNumber;
}

QByteArray Quoted(QString text) {
  text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
  return '"' + text.toUtf8() + '"';
}

QByteArray FormatName(const QString& name) { return name.isEmpty() ? "@" : Quoted(name); }

// The string that `data` holds when a quoted string gives back exactly these
// bytes: whole UTF-16 units, one terminating zero at the end, no other zero,
// no line break, no unpaired surrogate.
std::optional<QString> PlainString(const QByteArray& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  QString text;
  for (qsizetype i = 0; i + 2 < data.size(); i += 2) {
    const char16_t unit =
        static_cast<char16_t>(static_cast<BYTE>(data[i]) | (static_cast<BYTE>(data[i + 1]) << 8));
    if (unit == 0 || unit == u'\n' || unit == u'\r') return std::nullopt;
    text += QChar(unit);
  }
  if (data.back() != 0 || data[data.size() - 2] != 0 || !text.isValidUtf16()) return std::nullopt;
  return text;
}

QByteArray FormatData(const RegistryValue& value) {
  if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<BYTE>(value.data[i]);
    return "dword:" + QByteArray::number(number, 16).rightJustified(8, '0');
  }
  if (value.type == REG_SZ) {
    if (const std::optional<QString> text = PlainString(value.data)) return Quoted(*text);
  }
  const QByteArray prefix =
      value.type == REG_BINARY ? "hex:" : "hex(" + QByteArray::number(value.type, 16) + "):";
  return prefix + value.data.toHex(',');
}
}  // namespace

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

RegistryKey* FindKey(RegistryKeys& keys, const QString& path) {
  for (RegistryKey& key : keys) {
    if (SameName(key.path, path)) return &key;
  }
  return nullptr;
}

std::size_t KeyIndex(RegistryKeys& keys, const QString& path) {
  if (const RegistryKey* key = FindKey(keys, path))
    return static_cast<std::size_t>(key - keys.data());
  keys.push_back({path, {}});
  return keys.size() - 1;
}

bool SetValue(RegistryKey& key, RegistryValue value) {
  for (RegistryValue& old : key.values) {
    if (SameName(old.name, value.name)) {
      old.type = value.type;
      old.data = std::move(value.data);
      return false;
    }
  }
  key.values.push_back(std::move(value));
  return true;
}

QString NormalKeyPath(const QString& path) {
  return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool IsWritableName(const QString& name) {
  return !name.contains(u'\n') && !name.contains(u'\r') && name.isValidUtf16();
}

ParsedRegistry ParseRegistryText(const QByteArray& text) {
  ParsedRegistry parsed;
  Lines lines(text);
  if (!ReadHeader(lines)) {
    parsed.damaged = true;
    return parsed;
  }
  std::optional<std::size_t> section;  // none: values here belong to no key we hold
  QString line;
  bool valid = false;
  while (lines.Next(line, valid)) {
    const int number = lines.Number();
    if (valid && line.isEmpty()) continue;
    if (line.startsWith(u'[')) {
      const std::optional<QString> path = valid ? ParseHeaderLine(line) : std::nullopt;
      section = path ? std::optional(KeyIndex(parsed.keys, *path)) : std::nullopt;
      if (!path) Skip(parsed, number);
      continue;
    }
    std::optional<RegistryValue> value;
    if (valid && section) value = ParseValueLine(line, lines);
    if (!value || !SetValue(parsed.keys[*section], std::move(*value))) Skip(parsed, number);
  }
  return parsed;
}

QByteArray FormatRegistryText(const RegistryKeys& keys) {
  QByteArray text = "REGEDIT4\n";
  for (const RegistryKey& key : keys) {
    text += "\n[HKEY_CURRENT_USER";
    if (!key.path.isEmpty()) text += '\\' + key.path.toUtf8();
    text += "]\n";
    for (const RegistryValue& value : key.values) {
      text += FormatName(value.name) + '=' + FormatData(value) + '\n';
    }
  }
  return text;
}
