// The clipboard over QClipboard. Formats set between OpenClipboard and
// CloseClipboard are kept here and handed to the system clipboard as one
// QMimeData when the clipboard is closed.
#include "platform/clipboard.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/qt/strings.h"

namespace {
constexpr UINT kFirstRegisteredFormat = 0xC000;

struct ClipboardState {
  bool open = false;
  bool emptied = false;            // EmptyClipboard ran since OpenClipboard
  std::map<UINT, QByteArray> set;  // formats set since then, without terminator
  std::vector<HLOCAL> blocks;      // of GetClipboardData and SetClipboardData
};
ClipboardState clipboard;
std::vector<QString> registeredNames;  // index + 0xC000 is the format

void FreeBlocks() {
  for (HLOCAL block : clipboard.blocks) LocalFree(block);
  clipboard.blocks.clear();
}

// The MIME type of a registered format, or an empty string.
QString MimeType(UINT format) {
  if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= registeredNames.size())
    return QString();
  const QString& name = registeredNames[format - kFirstRegisteredFormat];
  return name == QLatin1String("Rich Text Format") ? QStringLiteral("text/rtf") : name;
}

std::size_t TerminatorSize(UINT format) { return format == CF_UNICODETEXT ? 2 : 1; }

// A new block holding `data` and a zero terminator, kept until the clipboard
// closes.
HANDLE HandOut(const QByteArray& data, UINT format) {
  const auto size = static_cast<std::size_t>(data.size());
  HLOCAL block = LocalAlloc(LPTR, size + TerminatorSize(format));
  if (block == nullptr) return nullptr;
  std::memcpy(block, data.constData(), size);
  clipboard.blocks.push_back(block);
  return block;
}

// The system clipboard's data in `format`; false when it holds none.
bool SystemData(UINT format, QByteArray& data) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr) return false;
  if (format == CF_UNICODETEXT) {
    if (!mime->hasText()) return false;
    const QString text = mime->text();
    data = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return true;
  }
  const QString type = MimeType(format);
  if (type.isEmpty() || !mime->hasFormat(type)) return false;
  data = mime->data(type);
  return true;
}

// The block's content up to its first zero unit or its end.
QByteArray BlockData(UINT format, HANDLE block) {
  const auto* bytes = static_cast<const char*>(block);
  const std::size_t unit = TerminatorSize(format);
  const std::size_t units = LocalSize(block) / unit;
  std::size_t n = 0;
  if (unit == 2) {
    const auto* chars = static_cast<const WCHAR*>(block);
    while (n < units && chars[n] != 0) ++n;
  } else {
    while (n < units && bytes[n] != 0) ++n;
  }
  return QByteArray(bytes, static_cast<qsizetype>(n * unit));
}

// On X11 a selection owner is set with the time of the last event Qt saw; when
// that is older than the current owner's (no input reached the reader since
// another program copied), the server refuses. A property change on a window
// of ours brings a fresh server time in.
void RefreshServerTime() {
  static QWindow* stampWindow = nullptr;
  static int stamp = 0;
  if (stampWindow == nullptr) {
    stampWindow = new QWindow;
    stampWindow->create();
  }
  stampWindow->setTitle(QString::number(++stamp));
  QGuiApplication::sync();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QMimeData* MimeDataOfSetFormats() {
  auto* mime = new QMimeData;
  for (const auto& [format, data] : clipboard.set) {
    if (format == CF_UNICODETEXT)
      mime->setText(QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData()),
                                       data.size() / 2));
    else
      mime->setData(MimeType(format), data);
  }
  return mime;
}

// Hands the formats set since EmptyClipboard to the system clipboard; with
// none set it is cleared.
void SetSystemClipboard() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) RefreshServerTime();
  QClipboard* system = QGuiApplication::clipboard();
  if (clipboard.set.empty())
    system->clear();
  else
    system->setMimeData(MimeDataOfSetFormats());
}
}  // namespace

BOOL OpenClipboard(HWND) {
  if (clipboard.open || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    return FALSE;
  clipboard.open = true;
  clipboard.emptied = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!clipboard.open) return FALSE;
  FreeBlocks();
  clipboard.set.clear();
  clipboard.emptied = true;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!clipboard.open) return FALSE;
  if (clipboard.emptied) SetSystemClipboard();
  FreeBlocks();
  clipboard.set.clear();
  clipboard.open = false;
  clipboard.emptied = false;
  return TRUE;
}

HANDLE GetClipboardData(UINT format) {
  if (!clipboard.open) return nullptr;
  QByteArray data;
  if (clipboard.emptied) {
    const auto found = clipboard.set.find(format);
    if (found == clipboard.set.end()) return nullptr;
    data = found->second;
  } else if (!SystemData(format, data)) {
    return nullptr;
  }
  return HandOut(data, format);
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (data == nullptr) return nullptr;
  const bool known = format == CF_UNICODETEXT || !MimeType(format).isEmpty();
  if (!clipboard.open || !clipboard.emptied || !known) {
    LocalFree(data);
    return nullptr;
  }
  clipboard.set[format] = BlockData(format, data);
  clipboard.blocks.push_back(data);  // freed when the clipboard closes
  return data;
}

UINT RegisterClipboardFormatW(LPCWSTR name) {
  const QString text = ToQString(name);
  if (text.isEmpty()) return 0;
  auto found = std::find(registeredNames.begin(), registeredNames.end(), text);
  if (found == registeredNames.end()) found = registeredNames.insert(registeredNames.end(), text);
  return kFirstRegisteredFormat + static_cast<UINT>(found - registeredNames.begin());
}
