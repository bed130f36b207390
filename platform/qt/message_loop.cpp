// The message queue, the loops that take messages from it, and sending.
#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <deque>
#include <vector>

#include "platform/qt/window_internal.h"
#include "platform/window.h"

namespace {
std::deque<MSG> postedMessages;
std::deque<std::function<void()>> loopCalls;
bool quitPosted = false;
int quitCode = 0;
std::vector<QEventLoop*> waitingLoops;
int eventHandlerDepth = 0;
std::vector<QPointer<QWidget>> deferredWidgets;

DWORD MessageTime() {
  static const QElapsedTimer clock = [] {
    QElapsedTimer started;
    started.start();
    return started;
  }();
  return static_cast<DWORD>(clock.elapsed());
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const QPoint pointer = QCursor::pos();
  return MSG{window, message, wParam, lParam, MessageTime(), POINT{pointer.x(), pointer.y()}};
}

void RunLoopCalls() {
  while (!loopCalls.empty()) {
    std::function<void()> call = std::move(loopCalls.front());
    loopCalls.pop_front();
    call();
  }
}

// Posted messages first (those of destroyed windows are dropped), then the
// quit message, then a paint.
bool TakeMessage(MSG* message) {
  while (!postedMessages.empty()) {
    const MSG next = postedMessages.front();
    postedMessages.pop_front();
    if (next.hwnd == nullptr || LookUpWindow(next.hwnd) != nullptr) {
      *message = next;
      return true;
    }
  }
  if (quitPosted) {
    quitPosted = false;
    *message = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
    return true;
  }
  if (HWND invalid = NextInvalidWindow()) {
    *message = MakeMessage(invalid, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

// Lets Qt deliver events until something wakes the loop.
void WaitForWork() {
  QEventLoop loop;
  waitingLoops.push_back(&loop);
  loop.exec();
  waitingLoops.pop_back();
}

// One turn of a loop: what must run first, then a message if there is one.
// The toolkit's own pending events are delivered on every turn, so a stream
// of posted messages cannot hold back input, showing or activation.
bool NextMessage(MSG* message) {
  QCoreApplication::processEvents();
  DisposeDeferredWidgets();
  RunLoopCalls();
  return TakeMessage(message);
}
}  // namespace

void WakeMessageLoop() {
  // Loops further down the stack look again too when control comes back.
  for (QEventLoop* loop : waitingLoops) loop->quit();
}

void QueueLoopCall(std::function<void()> call) {
  loopCalls.push_back(std::move(call));
  WakeMessageLoop();
}

LRESULT SendFromEventHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++eventHandlerDepth;
  const LRESULT result = SendMessageW(window, message, wParam, lParam);
  --eventHandlerDepth;
  return result;
}

bool InsideEventHandler() { return eventHandlerDepth > 0; }

void DisposeWidget(QWidget* widget) {
  if (widget == nullptr) return;
  widget->hide();
  if (InsideEventHandler()) {
    deferredWidgets.emplace_back(widget);
    WakeMessageLoop();
  } else {
    delete widget;
  }
}

void DisposeDeferredWidgets() {
  if (InsideEventHandler()) return;
  std::vector<QPointer<QWidget>> widgets;
  widgets.swap(deferredWidgets);
  for (const QPointer<QWidget>& widget : widgets) delete widget.data();
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr) {
    const Window* record = LookUpWindow(window);
    if (record == nullptr || record->kind == WindowKind::Remote) return FALSE;
  }
  postedMessages.push_back(MakeMessage(window, message, wParam, lParam));
  WakeMessageLoop();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  quitPosted = true;
  quitCode = exitCode;
  WakeMessageLoop();
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr) return 0;
  if (record->kind == WindowKind::Remote)
    return RemoteSendMessage(*record, message, wParam, lParam);
  if (record->proc == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return record->proc(window, message, wParam, lParam);
}

BOOL GetMessageW(MSG* message, HWND, UINT, UINT) {
  if (message == nullptr || QCoreApplication::instance() == nullptr) return -1;
  while (!NextMessage(message)) WaitForWork();
  return message->message == WM_QUIT ? 0 : 1;
}

BOOL PeekMessageW(MSG* message, HWND, UINT, UINT, UINT remove) {
  if (message == nullptr || QCoreApplication::instance() == nullptr) return FALSE;
  if (!NextMessage(message)) return FALSE;
  if (!(remove & PM_REMOVE)) {
    if (message->message == WM_QUIT)
      PostQuitMessage(static_cast<int>(message->wParam));
    else if (message->message != WM_PAINT)
      postedMessages.push_front(*message);
  }
  return TRUE;
}

BOOL TranslateMessage(const MSG* message) {
  return message != nullptr &&
         (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN);
}

LRESULT DispatchMessageW(const MSG* message) {
  if (message == nullptr) return 0;
  const Window* record = LookUpWindow(message->hwnd);
  if (record == nullptr) return 0;
  if (message->message != WM_PAINT)
    return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
  // A procedure that does not paint must not get the same WM_PAINT forever.
  const unsigned paintsBefore = record->paints;
  const LRESULT result = SendMessageW(message->hwnd, WM_PAINT, 0, 0);
  if (Window* after = LookUpWindow(message->hwnd); after != nullptr && after->paints == paintsBefore)
    after->invalid = QRect();
  return result;
}

void RunModalLoop(const std::function<bool()>& finished) {
  MSG message;
  while (!finished()) {
    if (!NextMessage(&message)) {
      if (!finished()) WaitForWork();
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    DispatchMessageW(&message);
  }
  // The loop below looks at what came meanwhile.
  WakeMessageLoop();
}
