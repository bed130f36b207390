// The window records behind HWND, shared by the layer's window, menu, bar,
// message box and single-instance services (implementation only).
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/surface.h"
#include "platform/window.h"

class HostWidget;

enum class WindowKind {
  Hosted,   // a client area with a backing image (HostWidget), top-level or child
  Control,  // a child showing a widget of its own (a bar, a control)
  Docked,   // a bar along the bottom edge of its owner, positioned in screen coordinates
  Adopted,  // a top-level widget of the layer itself (a message box)
  Remote,   // a window of the running instance in another process
};

struct Window {
  HWND handle = nullptr;
  WindowKind kind = WindowKind::Hosted;
  std::u16string className;
  std::u16string title;
  WNDPROC proc = nullptr;
  UINT classStyle = 0;
  DWORD style = 0;
  HWND parent = nullptr;  // the parent of a child, the owner of a top-level window
  QPointer<QWidget> widget;  // what shows the window
  HostWidget* host = nullptr;  // Hosted windows only
  std::shared_ptr<Surface> surface;  // Hosted windows only
  HBRUSH background = nullptr;
  QRect invalid;  // client area still to paint (logical); empty when valid
  bool eraseWanted = false;
  unsigned paints = 0;  // BeginPaint calls so far
  bool fullScreen = false;
  bool destroying = false;
  int dockedRightGap = 0;  // Docked: how far its right end stops short of the owner's
  std::uint64_t remoteId = 0;  // Remote: the handle in the other process
};

// The record of a live window; NULL for NULL, stale or unknown handles.
Window* LookUpWindow(HWND window);
// Takes the record into the table and gives it its handle.
HWND AddWindow(std::unique_ptr<Window> record);
// The window a widget shows (or the nearest ancestor that shows one).
HWND WindowOfWidget(const QWidget* widget);
// The top-level widget of the window's top-level ancestor, for parenting
// message boxes and dialogs; NULL when there is none.
QWidget* TopLevelWidgetOf(HWND window);
// A top-level window of this process by class and title (NULL: any).
HWND FindLocalWindow(LPCWSTR className, LPCWSTR title);
// The active window of this process, or NULL.
HWND LocalForegroundWindow();
// Brings a top-level window to the front and activates it.
void ActivateLocalWindow(Window& record);

// A child window of `parent` (or, Docked, a bar owned by it) shown by
// `widget`, whose messages go to `proc`.
HWND CreateWidgetWindow(HWND parent, WindowKind kind, const char16_t* className, WNDPROC proc,
                        QWidget* widget);
// Registers a top-level widget of the layer (a message box owned by
// `owner`) as a window for the time it is shown; RemoveWindow ends that.
HWND AdoptWidget(QWidget* widget, HWND owner, const char16_t* className);
void RemoveWindow(HWND window);

// Sends a message from inside a Qt event handler: a window destroyed by it
// keeps its widgets until the handler has returned.
LRESULT SendFromEventHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool InsideEventHandler();
// Deletes a widget now, or once no Qt event handler is running.
void DisposeWidget(QWidget* widget);
void DisposeDeferredWidgets();

// Runs calls queued from outside the message loop (requests of other
// processes) at the next turn of any message loop.
void QueueLoopCall(std::function<void()> call);
// Ends the current wait of the innermost message loop so it looks again.
void WakeMessageLoop();
// A modal loop: dispatches messages (without accelerators) until `finished`
// returns true, which is checked after every message and wake-up. Ends
// early on a quit message, which stays for the outer loop.
void RunModalLoop(const std::function<bool()>& finished);

// Single instance (single_instance.cpp).
HWND FindRemoteWindow(LPCWSTR className, LPCWSTR title);
void NoteTopLevelCreated(const Window& record);
void NoteTopLevelDestroyed(const Window& record);
HWND RemoteForegroundWindow();
HWND RemoteParent(const Window& record);
LRESULT RemoteSendMessage(const Window& record, UINT message, WPARAM wParam, LPARAM lParam);
BOOL RemoteSetForeground(const Window& record);
BOOL RemoteIsVisible(const Window& record);

// Keeps the bottom bars of a window along its bottom edge after a resize.
void RedockBars(HWND owner);
// The window of the first visible client area waiting for WM_PAINT, or NULL.
HWND NextInvalidWindow();
// WM_ERASEBKGND's default: fills the client area with the class brush.
LRESULT EraseWithClassBrush(HWND window, HDC dc);
