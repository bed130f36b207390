#include "platform/testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <map>
#include <memory>

#include "platform/qt/bar_widget.h"
#include "platform/qt/host_widget.h"
#include "platform/qt/surface.h"
#include "platform/qt/window_internal.h"
#include "platform/window.h"

namespace {
Qt::Key QtKeyOf(WPARAM virtualKey) {
  for (int key = Qt::Key_Space; key <= Qt::Key_Z; ++key)
    if (VirtualKeyOf(key) == virtualKey) return static_cast<Qt::Key>(key);
  for (int key = Qt::Key_Escape; key <= Qt::Key_F12; ++key)
    if (VirtualKeyOf(key) == virtualKey) return static_cast<Qt::Key>(key);
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiers(KeyModifiers modifiers) {
  const auto bits = static_cast<unsigned>(modifiers);
  Qt::KeyboardModifiers result;
  if (bits & static_cast<unsigned>(KeyModifiers::Shift)) result |= Qt::ShiftModifier;
  if (bits & static_cast<unsigned>(KeyModifiers::Control)) result |= Qt::ControlModifier;
  if (bits & static_cast<unsigned>(KeyModifiers::Alt)) result |= Qt::AltModifier;
  return result;
}

QWidget* ClientOf(HWND window) {
  const Window* record = LookUpWindow(window);
  return record != nullptr && record->host != nullptr ? record->host->Client() : nullptr;
}

QScrollBar* ScrollBarOf(HWND window) {
  const Window* record = LookUpWindow(window);
  return record != nullptr && record->host != nullptr ? record->host->findChild<QScrollBar*>()
                                                      : nullptr;
}

QWidget* BarPosition(HWND bar, int position) {
  const BarWidget* widget = BarOf(bar);
  return widget != nullptr ? widget->PositionWidget(position) : nullptr;
}

void DescribeMenu(const QMenu* menu, const QString& indent, QString& out) {
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      out += indent + QStringLiteral("-\n");
    } else if (action->menu() != nullptr) {
      out += indent + action->text() + QLatin1Char('\n');
      DescribeMenu(action->menu(), indent + QStringLiteral("  "), out);
    } else {
      out += indent + action->text() + (action->isChecked() ? QStringLiteral(" [x]") : QString()) +
             QLatin1Char('\n');
    }
  }
}

// The user types into the window in front; a desktop gives it back the
// focus when a menu closes, which Qt's offscreen platform does not.
void BringToFront(QWidget* widget) {
  QWidget* top = widget->window();
  if (top->isActiveWindow()) return;
  top->activateWindow();
  QApplication::processEvents();
}
}  // namespace

void TestPressKey(HWND window, WPARAM virtualKey, KeyModifiers modifiers) {
  QWidget* target = QApplication::activePopupWidget();
  if (target == nullptr) {
    const Window* record = LookUpWindow(window);
    target = ClientOf(window);
    if (target == nullptr && record != nullptr) target = record->widget;  // a message box
    if (target == nullptr) return;
    BringToFront(target);
    if (QWidget* focus = target->window()->focusWidget(); focus != nullptr && record->host == nullptr)
      target = focus;
  }
  QTest::keyClick(target, QtKeyOf(virtualKey), QtModifiers(modifiers));
}

void TestClick(HWND window, int x, int y) {
  if (QWidget* client = ClientOf(window)) QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(x, y));
}

void TestTurnWheel(HWND window, int notches) {
  QWidget* client = ClientOf(window);
  if (client == nullptr) return;
  const QPointF centre(client->width() / 2.0, client->height() / 2.0);
  QWheelEvent wheel(centre, client->mapToGlobal(centre), QPoint(), QPoint(0, notches * 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(client, &wheel);
}

void TestScroll(HWND window, ScrollGesture gesture) {
  QScrollBar* bar = ScrollBarOf(window);
  if (bar == nullptr) return;
  switch (gesture) {
    case ScrollGesture::ArrowDown: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case ScrollGesture::ArrowUp: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case ScrollGesture::TroughBelow: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case ScrollGesture::TroughAbove: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case ScrollGesture::ToTop: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case ScrollGesture::ToBottom: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
  }
  // The mouse button comes up at the end of a click.
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &release);
}

void TestDragThumb(HWND window, int firstPosition, int lastPosition) {
  QScrollBar* bar = ScrollBarOf(window);
  if (bar == nullptr) return;
  bar->setSliderDown(true);
  bar->setSliderPosition(firstPosition);
  bar->setSliderPosition(lastPosition);
  bar->setSliderDown(false);
}

bool TestScrollBarShown(HWND window) {
  const QScrollBar* bar = ScrollBarOf(window);
  return bar != nullptr && !bar->isHidden();
}

void TestPressCloseButton(HWND window) {
  if (QWidget* top = TopLevelWidgetOf(window)) top->close();
}

void TestClickBarPosition(HWND bar, int position) {
  QWidget* widget = BarPosition(bar, position);
  if (auto* button = qobject_cast<QToolButton*>(widget)) button->click();
}

std::u16string TestBarToolTip(HWND bar, int position) {
  const QWidget* widget = BarPosition(bar, position);
  return widget != nullptr ? widget->toolTip().toStdU16String() : std::u16string();
}

bool TestBarHasCloseButton(HWND bar) {
  const BarWidget* widget = BarOf(bar);
  return widget != nullptr && widget->HasCloseButton();
}

std::u16string TestShownMenus(HWND bar) {
  const BarWidget* widget = BarOf(bar);
  if (widget == nullptr) return {};
  QString out;
  if (const auto* menuBar = widget->findChild<QMenuBar*>()) {
    for (const QAction* action : menuBar->actions()) {
      out += action->text() + QLatin1Char('\n');
      DescribeMenu(action->menu(), QStringLiteral("  "), out);
    }
  }
  for (int i = 0; i < widget->Positions(); ++i) {
    const auto* button = qobject_cast<const QToolButton*>(widget->PositionWidget(i));
    const auto* dropDown = button != nullptr ? button->findChild<QMenu*>() : nullptr;
    if (dropDown == nullptr) continue;
    out += dropDown->title() + QLatin1Char('\n');
    DescribeMenu(dropDown, QStringLiteral("  "), out);
  }
  return out.toStdU16String();
}

std::u16string TestOpenMenu() {
  const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  return menu != nullptr ? menu->title().toStdU16String() : std::u16string();
}

void TestCloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

namespace {
std::map<HDC, std::unique_ptr<Surface>>& TestSurfaces() {
  static std::map<HDC, std::unique_ptr<Surface>> surfaces;
  return surfaces;
}
}  // namespace

HDC TestCreateSurfaceDC(int width, int height, double pixelRatio) {
  auto surface = std::make_unique<Surface>();
  surface->image = QImage(qRound(width * pixelRatio), qRound(height * pixelRatio),
                          QImage::Format_ARGB32_Premultiplied);
  surface->image.setDevicePixelRatio(pixelRatio);
  surface->image.fill(Qt::white);
  surface->drawn = [](const QRect&) {};
  HDC dc = CreateSurfaceDC(surface.get());
  TestSurfaces()[dc] = std::move(surface);
  return dc;
}

void TestDestroySurfaceDC(HDC dc) {
  DestroySurfaceDC(dc);
  TestSurfaces().erase(dc);
}
