// The widgets that show a window with a client area (implementation only):
// a frame holding the client area, which presents the backing image and
// turns input into messages, and the optional vertical scroll bar.
#pragma once

#include <QScrollBar>
#include <QWidget>

#include "platform/window.h"

class ClientWidget;

class HostWidget : public QWidget {
 public:
  HostWidget(QWidget* parent, Qt::WindowFlags flags, HWND window, bool withScrollBar);

  HWND Handle() const { return handle_; }
  QWidget* Client() const;
  QSize ClientSize() const;
  // Places the client area and the scroll bar and fits the backing image.
  // Returns true when the client size changed.
  bool LayOut();
  // Tells the window its client size changed: invalidation, WM_SIZE.
  void NotifyResized();

  // The scroll bar (SetScrollInfo / GetScrollInfo); false without one.
  bool SetScroll(const SCROLLINFO& info, bool redraw);
  bool Scroll(SCROLLINFO* info) const;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectScrollBar();
  void ScrollAction(int action);
  void PostScroll(WORD code, int position);
  void InvalidateAfterResize(UINT classStyle, QSize before, QSize after);

  HWND handle_;
  ClientWidget* client_;
  QScrollBar* scrollBar_ = nullptr;
  SCROLLINFO scroll_{sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};
  bool settingScroll_ = false;
  int lastTrack_ = 0;
  int wheelRemainder_ = 0;
  int nestedResizes_ = 0;
  QSize previousClient_;  // the client size before the last change

  friend class ClientWidget;
};

// The virtual key of a Qt key, 0 when the layer has none for it.
WPARAM VirtualKeyOf(int qtKey);
