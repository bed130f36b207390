// The settings file's text and the keys it holds (implementation only).
//
// The text is the REGEDIT4 format in UTF-8:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Lumarith\Kestro (Vowels)]
//   "Flags"=dword:d1140040
//   "FontName"="Ezra SIL"
//   "Bookmarks"=hex:03,00,0b,00,00,00
//
// A string is written as "text" (with \\ and \" escaped) only when that
// gives back its exact bytes: UTF-16 with one terminating zero at the end and
// no other zero, line break or unpaired surrogate. Any other string, a
// REG_DWORD that is not 4 bytes and every other type are written as
// hex(<type>):bytes, so every value keeps its type and bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/types.h"

struct RegistryValue {
  QString name;  // empty: the key's default value ("@")
  DWORD type;
  QByteArray data;
};

struct RegistryKey {
  QString path;  // below HKEY_CURRENT_USER, parts joined by '\'; empty: the root
  std::vector<RegistryValue> values;
};

using RegistryKeys = std::vector<RegistryKey>;

// What a file's text holds.
struct ParsedRegistry {
  RegistryKeys keys;
  bool damaged = false;  // no REGEDIT4 header: nothing was read
  int skippedLines = 0;  // lines not understood, comments, values read over
  int firstSkippedLine = 0;
};

// Reads the text of a settings file. Lines that cannot be read are skipped
// (values below a header that cannot be read go with it); a later value of
// the same name replaces an earlier one; sections of the same key merge.
ParsedRegistry ParseRegistryText(const QByteArray& text);

// The text of a settings file holding `keys`, in their order.
QByteArray FormatRegistryText(const RegistryKeys& keys);

// Names of keys and values compare without regard to case.
bool SameName(const QString& a, const QString& b);

// The key `path` in `keys`, or NULL.
RegistryKey* FindKey(RegistryKeys& keys, const QString& path);

// The index of the key `path` in `keys`, added at the end when missing.
std::size_t KeyIndex(RegistryKeys& keys, const QString& path);

// Stores `value` in `key` in place of the value of that name (keeping the
// name's spelling), else at the end; false when it replaced one.
bool SetValue(RegistryKey& key, RegistryValue value);

// `path` split at backslashes and joined again without empty parts.
QString NormalKeyPath(const QString& path);

// True when a key or value name can be written as a line of the file.
bool IsWritableName(const QString& name);
