// Window classes, the table of windows behind HWND, and the calls on
// windows: creation, destruction, finding, showing, placing.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QScreen>
#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/qt/host_widget.h"
#include "platform/qt/strings.h"
#include "platform/qt/window_internal.h"
#include "platform/resources.h"

namespace {
struct WindowClass {
  std::u16string name;
  UINT style;
  WNDPROC proc;
  HICON icon;
  HBRUSH background;
};

constexpr int kDefaultWidth = 480;
constexpr int kDefaultHeight = 640;

std::vector<WindowClass> classes;
std::map<std::uintptr_t, std::unique_ptr<Window>> windows;  // by handle, oldest first
std::unordered_map<const QWidget*, HWND> windowOfWidget;
std::uintptr_t nextHandle = 0x10000;

bool SameName(const std::u16string& a, LPCWSTR b) {
  return QString::compare(QString::fromStdU16String(a), ToQString(b), Qt::CaseInsensitive) == 0;
}

const WindowClass* FindClass(LPCWSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name)) return nullptr;
  for (const WindowClass& entry : classes)
    if (SameName(entry.name, name)) return &entry;
  return nullptr;
}

bool IsTopLevel(const Window& record) {
  return record.kind == WindowKind::Adopted ||
         (record.kind == WindowKind::Hosted && !(record.style & WS_CHILD));
}

std::vector<HWND> WindowsWithParent(HWND parent, bool topLevel) {
  std::vector<HWND> found;
  for (const auto& [handle, record] : windows)
    if (record->parent == parent && IsTopLevel(*record) == topLevel) found.push_back(record->handle);
  return found;
}

// Shell windows of the handheld that never exist here.
bool IsHandheldShellClass(LPCWSTR className) {
  return className != nullptr && !IS_INTRESOURCE(className) &&
         ToQString(className) == QStringLiteral("HHTaskBar");
}

HostWidget* MakeHost(const WindowClass& windowClass, DWORD style, HWND parent, HWND handle) {
  QWidget* parentWidget = nullptr;
  Qt::WindowFlags flags = Qt::Widget;
  if (style & WS_CHILD) {
    parentWidget = static_cast<HostWidget*>(LookUpWindow(parent)->host)->Client();
  } else {
    parentWidget = TopLevelWidgetOf(parent);
    flags = (style & WS_POPUP) && parentWidget != nullptr ? Qt::Dialog : Qt::Window;
  }
  auto* host = new HostWidget(parentWidget, flags, handle, (style & WS_VSCROLL) != 0);
  if (windowClass.icon != nullptr) host->setWindowIcon(*reinterpret_cast<QIcon*>(windowClass.icon));
  return host;
}

void PlaceNewWindow(HostWidget* host, DWORD style, int x, int y, int width, int height) {
  const QSize size = width == CW_USEDEFAULT ? QSize(kDefaultWidth, kDefaultHeight)
                                            : QSize(std::max(0, width), std::max(0, height));
  if (style & WS_CHILD)
    host->setGeometry(x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y, size.width(),
                      size.height());
  else if (x == CW_USEDEFAULT)
    host->resize(size);
  else
    host->setGeometry(x, y, size.width(), size.height());
  host->LayOut();
}

// Sets a window's geometry (in the coordinates of its widget's parent, or
// the screen) and lets a client area follow at once, shown or not.
void SetGeometry(Window& record, const QRect& geometry) {
  record.widget->setGeometry(geometry);
  if (record.host != nullptr && record.host->LayOut()) record.host->NotifyResized();
}

void DockBar(Window& bar) {
  QWidget* widget = bar.widget;
  const QWidget* owner = widget->parentWidget();
  if (owner == nullptr) return;
  const int width = std::max(0, owner->width() - widget->x() - bar.dockedRightGap);
  widget->setGeometry(widget->x(), owner->height() - widget->height(), width, widget->height());
}

// A Docked bar is placed in screen coordinates; it stays along the bottom.
void MoveDockedBar(Window& bar, int x, int width, int height) {
  const QWidget* owner = bar.widget->parentWidget();
  if (owner == nullptr) return;
  const int left = owner->mapFromGlobal(QPoint(x, 0)).x();
  bar.dockedRightGap = owner->width() - (left + width);
  bar.widget->setGeometry(left, owner->height() - height, width, height);
}
}  // namespace

Window* LookUpWindow(HWND window) {
  const auto found = windows.find(reinterpret_cast<std::uintptr_t>(window));
  return found == windows.end() ? nullptr : found->second.get();
}

HWND AddWindow(std::unique_ptr<Window> record) {
  const std::uintptr_t value = nextHandle;
  nextHandle += 4;
  record->handle = reinterpret_cast<HWND>(value);
  if (record->widget) windowOfWidget[record->widget.data()] = record->handle;
  windows.emplace(value, std::move(record));
  return reinterpret_cast<HWND>(value);
}

void RemoveWindow(HWND window) {
  Window* record = LookUpWindow(window);
  if (record == nullptr) return;
  windowOfWidget.erase(record->widget.data());
  if (record->surface) record->surface->drawn = nullptr;
  windows.erase(reinterpret_cast<std::uintptr_t>(window));
}

HWND WindowOfWidget(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const auto found = windowOfWidget.find(widget);
    if (found != windowOfWidget.end() && LookUpWindow(found->second) != nullptr)
      return found->second;
  }
  return nullptr;
}

QWidget* TopLevelWidgetOf(HWND window) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || !record->widget) return nullptr;
  return record->widget->window();
}

HWND FindLocalWindow(LPCWSTR className, LPCWSTR title) {
  for (const auto& [handle, record] : windows) {
    if (!IsTopLevel(*record) || record->destroying) continue;
    if (className != nullptr && !SameName(record->className, className)) continue;
    if (title != nullptr && !SameName(record->title, title)) continue;
    return record->handle;
  }
  return nullptr;
}

HWND LocalForegroundWindow() { return WindowOfWidget(QApplication::activeWindow()); }

void ActivateLocalWindow(Window& record) {
  QWidget* top = record.widget ? record.widget->window() : nullptr;
  if (top == nullptr) return;
  if (top->isMinimized()) top->showNormal();
  top->raise();
  top->activateWindow();
}

HWND CreateWidgetWindow(HWND parent, WindowKind kind, const char16_t* className, WNDPROC proc,
                        QWidget* widget) {
  Window* parentRecord = LookUpWindow(parent);
  if (parentRecord == nullptr || parentRecord->host == nullptr) return nullptr;
  widget->setParent(kind == WindowKind::Docked ? static_cast<QWidget*>(parentRecord->host)
                                               : parentRecord->host->Client());
  auto record = std::make_unique<Window>();
  record->kind = kind;
  record->className = className;
  record->proc = proc;
  record->style = WS_CHILD | WS_VISIBLE;
  record->parent = parent;
  record->widget = widget;
  return AddWindow(std::move(record));
}

HWND AdoptWidget(QWidget* widget, HWND owner, const char16_t* className) {
  auto record = std::make_unique<Window>();
  record->kind = WindowKind::Adopted;
  record->className = className;
  record->title = widget->windowTitle().toStdU16String();
  record->parent = LookUpWindow(owner) != nullptr ? owner : nullptr;
  record->widget = widget;
  return AddWindow(std::move(record));
}

void RedockBars(HWND owner) {
  for (const auto& [handle, record] : windows)
    if (record->kind == WindowKind::Docked && record->parent == owner && record->widget)
      DockBar(*record);
}

HWND NextInvalidWindow() {
  for (const auto& [handle, record] : windows)
    if (record->host != nullptr && !record->invalid.isEmpty() && record->host->isVisible())
      return record->handle;
  return nullptr;
}

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr || IS_INTRESOURCE(windowClass->lpszClassName) ||
      FindClass(windowClass->lpszClassName) != nullptr)
    return 0;
  classes.push_back(WindowClass{ToQString(windowClass->lpszClassName).toStdU16String(),
                                windowClass->style, windowClass->lpfnWndProc, windowClass->hIcon,
                                windowClass->hbrBackground});
  return static_cast<ATOM>(0xC000 + classes.size());
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
  const WindowClass* windowClass = FindClass(className);
  if (windowClass == nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
    return nullptr;
  const Window* parentRecord = LookUpWindow(parent);
  if ((style & WS_CHILD) && (parentRecord == nullptr || parentRecord->host == nullptr)) return nullptr;
  if (parent != nullptr && parentRecord == nullptr) return nullptr;

  auto record = std::make_unique<Window>();
  record->className = windowClass->name;
  record->title = ToQString(title).toStdU16String();
  record->proc = windowClass->proc;
  record->classStyle = windowClass->style;
  record->style = style;
  record->parent = parent;
  record->background = windowClass->background;
  record->surface = std::make_shared<Surface>();
  Window* created = record.get();
  const HWND handle = AddWindow(std::move(record));
  HostWidget* host = MakeHost(*windowClass, style, parent, handle);
  created->widget = host;
  created->host = host;
  windowOfWidget[host] = handle;
  created->surface->drawn = [client = QPointer<QWidget>(host->Client())](const QRect& area) {
    if (client) client->update(area);
  };
  host->setWindowTitle(ToQString(title));
  PlaceNewWindow(host, style, x, y, width, height);
  const QSize client = host->ClientSize();
  created->invalid = QRect(QPoint(0, 0), client);
  created->eraseWanted = true;
  if (!(style & WS_CHILD)) NoteTopLevelCreated(*created);

  CREATESTRUCTW creation{param,         instance,      menu,  parent, height, width, y, x,
                         static_cast<LONG>(style), title, className, 0};
  if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (LookUpWindow(handle) == nullptr) return nullptr;
  SendMessageW(handle, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(static_cast<WORD>(client.width()), static_cast<WORD>(client.height())));
  if ((style & WS_VISIBLE) && LookUpWindow(handle) != nullptr) ShowWindow(handle, SW_SHOW);
  return LookUpWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || record->destroying || record->kind == WindowKind::Remote ||
      record->kind == WindowKind::Adopted)
    return FALSE;
  record->destroying = true;
  for (HWND owned : WindowsWithParent(window, true)) DestroyWindow(owned);
  SendMessageW(window, WM_DESTROY, 0, 0);
  for (HWND child : WindowsWithParent(window, false)) DestroyWindow(child);
  record = LookUpWindow(window);
  if (IsTopLevel(*record)) NoteTopLevelDestroyed(*record);
  QWidget* widget = record->widget;
  RemoveWindow(window);
  DisposeWidget(widget);
  return TRUE;
}

BOOL IsWindow(HWND window) { return LookUpWindow(window) != nullptr; }

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(window, &paint) != nullptr) EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND: return EraseWithClassBrush(window, reinterpret_cast<HDC>(wParam));
    case WM_HELP: {
      const Window* record = LookUpWindow(window);
      if (record != nullptr && (record->style & WS_CHILD))
        return SendMessageW(record->parent, WM_HELP, wParam, lParam);
      return 0;
    }
    default: return 0;
  }
}

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
  if (IsHandheldShellClass(className)) return nullptr;
  if (HWND local = FindLocalWindow(className, title)) return local;
  return FindRemoteWindow(className, title);
}

HWND GetForegroundWindow() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  if (HWND local = LocalForegroundWindow()) return local;
  return RemoteForegroundWindow();
}

BOOL SetForegroundWindow(HWND window) {
  Window* record = LookUpWindow(window);
  if (record == nullptr) return FALSE;
  if (record->kind == WindowKind::Remote) return RemoteSetForeground(*record);
  ActivateLocalWindow(*record);
  return TRUE;
}

HWND GetParent(HWND window) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr) return nullptr;
  if (record->kind == WindowKind::Remote) return RemoteParent(*record);
  return LookUpWindow(record->parent) != nullptr ? record->parent : nullptr;
}

BOOL IsWindowVisible(HWND window) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr) return FALSE;
  if (record->kind == WindowKind::Remote) return RemoteIsVisible(*record);
  return record->widget && record->widget->isVisible();
}

BOOL ShowWindow(HWND window, int command) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || !record->widget || record->kind == WindowKind::Remote) return FALSE;
  QWidget* widget = record->widget;
  const BOOL wasVisible = widget->isVisible();
  switch (command) {
    case SW_HIDE: widget->hide(); break;
    case SW_MINIMIZE: widget->showMinimized(); break;
    case SW_MAXIMIZE: widget->showMaximized(); break;
    case SW_RESTORE: record->fullScreen ? widget->showFullScreen() : widget->showNormal(); break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
      widget->setAttribute(Qt::WA_ShowWithoutActivating);
      widget->show();
      break;
    default:
      if (record->fullScreen)
        widget->showFullScreen();
      else if (widget->isMinimized())
        widget->showNormal();
      else
        widget->show();
      if (widget->isWindow()) widget->activateWindow();
      break;
  }
  return wasVisible;
}

BOOL UpdateWindow(HWND window) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr) return FALSE;
  if (record->host != nullptr && !record->invalid.isEmpty()) SendMessageW(window, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || !record->widget || record->kind == WindowKind::Remote) return FALSE;
  if (record->kind == WindowKind::Docked) {
    MoveDockedBar(*record, x, std::max(0, width), std::max(0, height));
    return TRUE;
  }
  if (record->fullScreen) return TRUE;
  SetGeometry(*record, QRect(x, y, std::max(0, width), std::max(0, height)));
  if (repaint) {
    if (record->host != nullptr)
      InvalidateRect(window, nullptr, TRUE);
    else
      record->widget->update();
  }
  return TRUE;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || !record->widget || record->kind == WindowKind::Remote) return FALSE;
  const QWidget* widget = record->widget;
  const QRect now = widget->geometry();
  if (flags & SWP_NOMOVE) {
    x = now.x();
    y = now.y();
  }
  if (flags & SWP_NOSIZE) {
    width = now.width();
    height = now.height();
  }
  if (record->kind == WindowKind::Docked && (flags & SWP_NOMOVE))
    x = widget->mapToGlobal(QPoint(0, 0)).x();
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
    MoveWindow(window, x, y, width, height, !(flags & SWP_NOREDRAW));
  if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
  return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || rect == nullptr || !record->widget) return FALSE;
  const QWidget* widget = record->widget;
  const QPoint origin = widget->isWindow() ? widget->geometry().topLeft()
                                           : widget->mapToGlobal(QPoint(0, 0));
  *rect = RECT{origin.x(), origin.y(), origin.x() + widget->width(), origin.y() + widget->height()};
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || rect == nullptr || !record->widget) return FALSE;
  const QSize size = record->host != nullptr ? record->host->ClientSize() : record->widget->size();
  *rect = RECT{0, 0, size.width(), size.height()};
  return TRUE;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || record->kind == WindowKind::Remote) return FALSE;
  record->title = ToQString(text).toStdU16String();
  if (record->widget && record->widget->isWindow())
    record->widget->setWindowTitle(QString::fromStdU16String(record->title));
  return TRUE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || buffer == nullptr || capacity <= 0) return 0;
  const int length = std::min(static_cast<int>(record->title.size()), capacity - 1);
  std::copy_n(record->title.begin(), length, buffer);
  buffer[length] = 0;
  return length;
}

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || record->host == nullptr || bar != SB_VERT || info == nullptr) return 0;
  HostWidget* host = record->host;
  if (!host->SetScroll(*info, redraw != FALSE)) return 0;
  SCROLLINFO now{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  host->Scroll(&now);
  return now.nPos;
}

BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || record->host == nullptr || bar != SB_VERT || info == nullptr) return FALSE;
  return record->host->Scroll(info) ? TRUE : FALSE;
}

int GetSystemMetrics(int index) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case SM_CXSCREEN: return screen != nullptr ? screen->geometry().width() : 0;
    case SM_CYSCREEN: return screen != nullptr ? screen->geometry().height() : 0;
    case SM_CXVSCROLL:
      return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr
                 ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                 : 16;
    case SM_CYCAPTION: return 20;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    default: return 0;
  }
}

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (info == nullptr) return FALSE;
  *info = OSVERSIONINFOW{};
  info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
  info->dwMajorVersion = 3;
  info->dwMinorVersion = 0;
  info->dwPlatformId = VER_PLATFORM_WIN32_CE;
  return TRUE;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  static std::map<std::uintptr_t, std::unique_ptr<QIcon>> icons;
  if (!IS_INTRESOURCE(name)) return nullptr;
  const auto key = reinterpret_cast<std::uintptr_t>(name);
  if (auto found = icons.find(key); found != icons.end())
    return reinterpret_cast<HICON>(found->second.get());
  HRSRC resource = FindResourceW(instance, name, RT_GROUP_ICON);
  const auto* bytes = static_cast<const uchar*>(LoadResource(instance, resource));
  if (bytes == nullptr) return nullptr;
  const QImage image = QImage::fromData(bytes, static_cast<int>(SizeofResource(instance, resource)));
  if (image.isNull()) return nullptr;
  auto icon = std::make_unique<QIcon>(QPixmap::fromImage(image));
  return reinterpret_cast<HICON>(icons.emplace(key, std::move(icon)).first->second.get());
}
