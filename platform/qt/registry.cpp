// HKEY_CURRENT_USER in the settings file $XDG_CONFIG_HOME/Lumarith/registry.reg.
//
// The file is read at the first call and kept in memory for the run (only
// the running instance writes it). A file that cannot be read, or one with
// lines that could not be understood, is renamed to registry.reg.damaged-<time>
// before the first save replaces it, so nothing in it is lost.
#include "platform/registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "platform/qt/registry_file.h"
#include "platform/qt/strings.h"

namespace {
// Far above any settings file of the reader; a larger file is not one.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

struct Store {
  QString filePath;
  bool loaded = false;
  RegistryKeys keys;
  bool keepAside = false;  // the file holds what `keys` lack
};
Store store;

struct OpenKey {
  QString path;
  bool writable;
};
std::map<std::uintptr_t, OpenKey> openKeys;
std::uintptr_t nextHandle = 0x1000;

QString SettingsFilePath() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::homePath() + "/.config";
  return config + "/Lumarith/registry.reg";
}

// True when something (a file, folder or link) has this name.
bool Occupied(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

void Report(const QString& line) { std::fprintf(stderr, "%s\n", line.toUtf8().constData()); }

// Reads the file; nothing when it cannot be read as a whole.
std::optional<QByteArray> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray text = file.read(kMaxFileSize + 1);
  if (file.error() != QFileDevice::NoError || text.size() > kMaxFileSize) return std::nullopt;
  return text;
}

void Load(const QString& path) {
  store = Store{path, true, {}, false};
  if (!Occupied(path)) return;
  const std::optional<QByteArray> text = ReadWholeFile(path);
  const ParsedRegistry parsed = text ? ParseRegistryText(*text) : ParsedRegistry{{}, true, 0, 0};
  if (parsed.damaged) {
    Report(QStringLiteral("%1 cannot be read as a settings file; using the defaults. It is kept "
                          "as %1.damaged-<time> before it is next saved.")
               .arg(path));
  } else if (parsed.skippedLines > 0) {
    Report(QStringLiteral("%1: %2 line(s) not understood and skipped (the first: line %3). The "
                          "whole file is kept as %1.damaged-<time> before it is next saved.")
               .arg(path)
               .arg(parsed.skippedLines)
               .arg(parsed.firstSkippedLine));
  }
  store.keys = parsed.keys;
  store.keepAside = parsed.damaged || parsed.skippedLines > 0;
}

Store& CurrentStore() {
  const QString path = SettingsFilePath();
  if (!store.loaded || store.filePath != path) Load(path);
  return store;
}

// Renames the file to a name no other file has; false when that fails.
bool KeepAside(const QString& path) {
  const QString base =
      path + ".damaged-" + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (int n = 0; n < 1000; ++n) {
    const QString name = n == 0 ? base : base + '-' + QString::number(n);
    if (Occupied(name)) continue;
    if (!QFile::rename(path, name)) return false;
    Report(QStringLiteral("%1 was kept as %2.").arg(path, name));
    return true;
  }
  return false;
}

// Writes the whole file: a temporary file first, renamed over the old one.
bool Save(Store& s) {
  const QByteArray text = FormatRegistryText(s.keys);
  if (text.size() > kMaxFileSize || !QDir().mkpath(QFileInfo(s.filePath).path())) return false;
  QSaveFile file(s.filePath);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return false;
  if (s.keepAside && Occupied(s.filePath) && !KeepAside(s.filePath)) return false;
  s.keepAside = false;
  return file.commit();
}

// Runs `change` on the keys and saves them; on a failed save the keys are
// put back as they were.
template <typename Change>
bool ChangeAndSave(Change change) {
  Store& s = CurrentStore();
  const RegistryKeys before = s.keys;
  change(s.keys);
  if (Save(s)) return true;
  s.keys = before;
  return false;
}

std::optional<OpenKey> Resolve(HKEY key) {
  if (key == HKEY_CURRENT_USER) return OpenKey{QString(), true};
  const auto found = openKeys.find(reinterpret_cast<std::uintptr_t>(key));
  if (found == openKeys.end()) return std::nullopt;
  return found->second;
}

HKEY NewHandle(const QString& path, REGSAM access) {
  const std::uintptr_t handle = nextHandle++;
  openKeys[handle] = OpenKey{path, (access & KEY_SET_VALUE) != 0};
  return reinterpret_cast<HKEY>(handle);
}

QString SubKeyPath(const OpenKey& base, LPCWSTR subKey) {
  return NormalKeyPath(base.path + '\\' + ToQString(subKey));
}

// A key exists when it has a section of its own or below it.
bool KeyExists(const RegistryKeys& keys, const QString& path) {
  if (path.isEmpty()) return true;
  for (const RegistryKey& key : keys) {
    if (SameName(key.path, path) || key.path.startsWith(path + '\\', Qt::CaseInsensitive))
      return true;
  }
  return false;
}

const RegistryValue* FindValue(RegistryKeys& keys, const QString& path, const QString& name) {
  RegistryKey* key = FindKey(keys, path);
  if (key == nullptr) return nullptr;
  for (const RegistryValue& value : key->values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}
}  // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  const std::optional<OpenKey> base = Resolve(key);
  if (!base) return ERROR_INVALID_HANDLE;
  const QString path = SubKeyPath(*base, subKey);
  if (!KeyExists(CurrentStore().keys, path)) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(path, access);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM access,
                     LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  const std::optional<OpenKey> base = Resolve(key);
  if (!base) return ERROR_INVALID_HANDLE;
  const QString path = SubKeyPath(*base, subKey);
  const bool exists = KeyExists(CurrentStore().keys, path);
  if (!exists) {
    if (!base->writable) return ERROR_ACCESS_DENIED;
    if (!IsWritableName(path)) return ERROR_INVALID_PARAMETER;
    if (!ChangeAndSave([&](RegistryKeys& keys) { keys.push_back({path, {}}); }))
      return ERROR_CANTWRITE;
  }
  if (disposition != nullptr) *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *result = NewHandle(path, access);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  const std::optional<OpenKey> open = Resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  const RegistryValue* value = FindValue(CurrentStore().keys, open->path, ToQString(name));
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  const auto size = static_cast<DWORD>(value->data.size());
  if (type != nullptr) *type = value->type;
  if (data != nullptr && *dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr && size > 0) std::memcpy(data, value->data.constData(), size);
  if (dataSize != nullptr) *dataSize = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  const std::optional<OpenKey> open = Resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  if (!open->writable) return ERROR_ACCESS_DENIED;
  const QString valueName = ToQString(name);
  if ((data == nullptr && size > 0) || !IsWritableName(valueName)) return ERROR_INVALID_PARAMETER;
  if (size > kMaxFileSize) return ERROR_CANTWRITE;  // could never be saved
  RegistryValue value{valueName, type, QByteArray(reinterpret_cast<const char*>(data), size)};
  const bool saved = ChangeAndSave(
      [&](RegistryKeys& keys) { SetValue(keys[KeyIndex(keys, open->path)], std::move(value)); });
  return saved ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  return openKeys.erase(reinterpret_cast<std::uintptr_t>(key)) == 1 ? ERROR_SUCCESS
                                                                    : ERROR_INVALID_HANDLE;
}
