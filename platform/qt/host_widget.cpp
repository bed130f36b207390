#include "platform/qt/host_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "platform/qt/window_internal.h"

namespace {
// A wheel notch scrolls this many lines, as desktop programs do.
constexpr int kLinesPerNotch = 3;

LPARAM KeyParameters(const QKeyEvent* event) {
  LPARAM value = std::max(1, event->count()) & 0xFFFF;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (modifiers & Qt::ShiftModifier) value |= KF_SHIFT_HELD;
  if (modifiers & Qt::ControlModifier) value |= KF_CONTROL_HELD;
  if (modifiers & Qt::AltModifier) value |= KF_ALT_HELD;
  if (event->isAutoRepeat()) value |= KF_REPEATED;
  return value;
}

LPARAM ClientPoint(QPointF position) {
  return MAKELPARAM(static_cast<WORD>(std::max(0, static_cast<int>(position.x()))),
                    static_cast<WORD>(std::max(0, static_cast<int>(position.y()))));
}

// Re-makes the backing image at a new size or pixel ratio, keeping what
// still fits and filling the rest with white.
void FitSurface(Surface& surface, QSize logicalSize, qreal ratio) {
  const QSize pixels = (QSizeF(logicalSize.expandedTo(QSize(1, 1))) * ratio).toSize();
  if (surface.image.size() == pixels && surface.image.devicePixelRatio() == ratio) return;
  QImage image(pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  if (!surface.image.isNull()) {
    QPainter painter(&image);
    painter.drawImage(QPointF(0, 0), surface.image);
  }
  surface.image = std::move(image);
}
}  // namespace

// The client area: presents the backing image and turns input into messages.
class ClientWidget : public QWidget {
 public:
  explicit ClientWidget(HostWidget* host) : QWidget(host), host_(host) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    Window* record = LookUpWindow(host_->Handle());
    if (record == nullptr || !record->surface) return;
    if (record->surface->image.devicePixelRatio() != devicePixelRatioF()) {
      // Moved to a screen of another pixel ratio: re-make the image and
      // let the window paint it afresh.
      host_->LayOut();
      InvalidateRect(host_->Handle(), nullptr, TRUE);
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), record->surface->image);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const WPARAM key = VirtualKeyOf(event->key());
    if (key == 0) return QWidget::keyPressEvent(event);
    if (key == VK_F1) {
      PostMessageW(host_->Handle(), WM_HELP, 0, 0);
      return;
    }
    const LPARAM parameters = KeyParameters(event);
    PostMessageW(host_->Handle(), (parameters & KF_ALT_HELD) ? WM_SYSKEYDOWN : WM_KEYDOWN, key,
                 parameters);
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    PostMessageW(host_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(event->position()));
  }
  // A quick second tap is a tap like the first.
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

  void wheelEvent(QWheelEvent* event) override { host_->event(event); }

  // Tab is a key like the others, not a focus change.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  HostWidget* host_;
};

WPARAM VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<WPARAM>(qtKey);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<WPARAM>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
    return VK_F1 + static_cast<WPARAM>(qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

HostWidget::HostWidget(QWidget* parent, Qt::WindowFlags flags, HWND window, bool withScrollBar)
    : QWidget(parent, flags), handle_(window), client_(new ClientWidget(this)) {
  if (withScrollBar) {
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->setRange(scroll_.nMin, scroll_.nMax);
    ConnectScrollBar();
  }
  setFocusProxy(client_);
}

QWidget* HostWidget::Client() const { return client_; }

QSize HostWidget::ClientSize() const { return client_->size(); }

bool HostWidget::LayOut() {
  const QSize before = client_->size();
  previousClient_ = before;
  const bool barShown = scrollBar_ != nullptr && !scrollBar_->isHidden();
  const int barWidth = barShown ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int clientWidth = std::max(0, width() - barWidth);
  client_->setGeometry(0, 0, clientWidth, height());
  if (barShown) scrollBar_->setGeometry(clientWidth, 0, width() - clientWidth, height());
  if (Window* record = LookUpWindow(handle_); record != nullptr && record->surface)
    FitSurface(*record->surface, client_->size(), devicePixelRatioF());
  return client_->size() != before;
}

void HostWidget::NotifyResized() {
  Window* record = LookUpWindow(handle_);
  if (record == nullptr) return;
  const QSize size = client_->size();
  InvalidateAfterResize(record->classStyle, previousClient_, size);
  RedockBars(handle_);
  WINDOWPOS position{handle_, nullptr, x(), y(), width(), height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
  SendFromEventHandler(handle_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  const WPARAM kind = isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
  SendFromEventHandler(handle_, WM_SIZE, kind,
                       MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
}

// With CS_HREDRAW / CS_VREDRAW a change of width / height repaints all;
// otherwise only the part that came into view.
void HostWidget::InvalidateAfterResize(UINT classStyle, QSize before, QSize after) {
  const bool wider = after.width() != before.width();
  const bool taller = after.height() != before.height();
  if (((classStyle & CS_HREDRAW) && wider) || ((classStyle & CS_VREDRAW) && taller)) {
    InvalidateRect(handle_, nullptr, TRUE);
    return;
  }
  if (after.width() > before.width()) {
    const RECT strip{before.width(), 0, after.width(), after.height()};
    InvalidateRect(handle_, &strip, TRUE);
  }
  if (after.height() > before.height()) {
    const RECT strip{0, before.height(), after.width(), after.height()};
    InvalidateRect(handle_, &strip, TRUE);
  }
}

void HostWidget::resizeEvent(QResizeEvent*) {
  if (LayOut()) NotifyResized();
}

void HostWidget::moveEvent(QMoveEvent*) {
  if (!isWindow()) return;
  WINDOWPOS position{handle_, nullptr, x(), y(), width(), height(),
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE};
  SendFromEventHandler(handle_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

void HostWidget::closeEvent(QCloseEvent* event) {
  // The desktop's close button: the window decides (its default destroys it).
  event->ignore();
  PostMessageW(handle_, WM_CLOSE, 0, 0);
}

bool HostWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != scrollBar_) return false;
  if (event->type() == QEvent::Wheel) return HostWidget::event(event);
  // The end of a click on an arrow or the trough (a drag ends in sliderReleased).
  if (event->type() == QEvent::MouseButtonRelease && !scrollBar_->isSliderDown())
    PostScroll(SB_ENDSCROLL, scroll_.nPos);
  return false;
}

bool HostWidget::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (isWindow()) {
        const bool active = event->type() == QEvent::WindowActivate;
        if (active) client_->setFocus(Qt::ActiveWindowFocusReason);
        SendFromEventHandler(handle_, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
      }
      break;
    case QEvent::Wheel: {
      // The wheel scrolls by lines through the scroll bar, when there is one.
      if (scrollBar_ == nullptr || scrollBar_->isHidden()) return true;
      wheelRemainder_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
      const int notches = wheelRemainder_ / 120;
      wheelRemainder_ -= notches * 120;
      for (int i = 0; i < std::abs(notches) * kLinesPerNotch; ++i)
        PostScroll(notches > 0 ? SB_LINEUP : SB_LINEDOWN, scroll_.nPos);
      if (notches != 0) PostScroll(SB_ENDSCROLL, scroll_.nPos);
      return true;
    }
    default: break;
  }
  return QWidget::event(event);
}

// Scroll bar actions become WM_VSCROLL codes; the bar itself moves only
// when the window sets its position (SetScrollInfo).
void HostWidget::ConnectScrollBar() {
  connect(scrollBar_, &QAbstractSlider::actionTriggered, this, [this](int action) {
    ScrollAction(action);
  });
  connect(scrollBar_, &QAbstractSlider::sliderReleased, this, [this] {
    PostScroll(SB_THUMBPOSITION, lastTrack_);
    PostScroll(SB_ENDSCROLL, scroll_.nPos);
  });
  // "Scroll here" in the bar's context menu sets the value directly.
  connect(scrollBar_, &QAbstractSlider::valueChanged, this, [this](int value) {
    if (settingScroll_) return;
    PostScroll(SB_THUMBPOSITION, value);
    settingScroll_ = true;
    scrollBar_->setValue(scroll_.nPos);
    settingScroll_ = false;
  });
  scrollBar_->installEventFilter(this);
}

void HostWidget::ScrollAction(int action) {
  const int requested = scrollBar_->sliderPosition();
  scrollBar_->setSliderPosition(scrollBar_->value());
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return PostScroll(SB_LINEDOWN, scroll_.nPos);
    case QAbstractSlider::SliderSingleStepSub: return PostScroll(SB_LINEUP, scroll_.nPos);
    case QAbstractSlider::SliderPageStepAdd: return PostScroll(SB_PAGEDOWN, scroll_.nPos);
    case QAbstractSlider::SliderPageStepSub: return PostScroll(SB_PAGEUP, scroll_.nPos);
    case QAbstractSlider::SliderToMinimum: return PostScroll(SB_TOP, scroll_.nPos);
    case QAbstractSlider::SliderToMaximum: return PostScroll(SB_BOTTOM, scroll_.nPos);
    case QAbstractSlider::SliderMove:
      lastTrack_ = requested;
      return PostScroll(scrollBar_->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION, requested);
    default: return;
  }
}

void HostWidget::PostScroll(WORD code, int position) {
  PostMessageW(handle_, WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), 0);
}

bool HostWidget::SetScroll(const SCROLLINFO& info, bool redraw) {
  if (scrollBar_ == nullptr) return false;
  if (info.fMask & SIF_RANGE) {
    scroll_.nMin = info.nMin;
    scroll_.nMax = info.nMax;
  }
  if (info.fMask & SIF_PAGE) scroll_.nPage = info.nPage;
  const int span = scroll_.nMax - scroll_.nMin;
  const int lastPosition =
      scroll_.nPage == 0 ? scroll_.nMax : scroll_.nMax - static_cast<int>(scroll_.nPage) + 1;
  const int highest = std::max(scroll_.nMin, lastPosition);
  if (info.fMask & SIF_POS) scroll_.nPos = info.nPos;
  scroll_.nPos = std::clamp(scroll_.nPos, scroll_.nMin, highest);
  const bool empty = scroll_.nPage == 0 ? span <= 0 : scroll_.nPage > static_cast<UINT>(span);

  settingScroll_ = true;
  scrollBar_->setRange(scroll_.nMin, highest);
  scrollBar_->setPageStep(std::max(1, static_cast<int>(scroll_.nPage)));
  scrollBar_->setValue(scroll_.nPos);
  scrollBar_->setEnabled(!empty);
  settingScroll_ = false;
  if (redraw) scrollBar_->update();

  // An empty range hides the bar, unless it is to stay (disabled).
  const bool wantShown = !empty || (info.fMask & SIF_DISABLENOSCROLL);
  if (wantShown == !scrollBar_->isHidden() || nestedResizes_ > 2) return true;
  scrollBar_->setVisible(wantShown);
  ++nestedResizes_;
  if (LayOut()) NotifyResized();
  --nestedResizes_;
  return true;
}

bool HostWidget::Scroll(SCROLLINFO* info) const {
  if (scrollBar_ == nullptr) return false;
  if (info->fMask & SIF_RANGE) {
    info->nMin = scroll_.nMin;
    info->nMax = scroll_.nMax;
  }
  if (info->fMask & SIF_PAGE) info->nPage = scroll_.nPage;
  if (info->fMask & SIF_POS) info->nPos = scroll_.nPos;
  info->nTrackPos = lastTrack_;
  return true;
}
