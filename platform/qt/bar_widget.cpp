#include "platform/qt/bar_widget.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QStyle>

#include "platform/menu.h"
#include "platform/qt/menu_internal.h"
#include "platform/qt/strings.h"
#include "platform/qt/window_internal.h"
#include "platform/shell.h"

namespace {
constexpr int kIconSize = 16;
constexpr int kMostButtons = 64;

// Small pictures scaled by whole pixels stay sharp on a HiDPI screen.
QIcon CrispIcon(const QImage& image) {
  QIcon icon;
  for (int factor = 1; factor <= 3; ++factor) {
    QPixmap pixmap = QPixmap::fromImage(image.scaled(
        image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(factor);
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The picture's background (the colour of its top-left pixel) shows as the
// bar's own face.
QImage WithClearBackground(const QImage& strip) {
  QImage image = strip.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (line[x] == background) line[x] = qRgba(0, 0, 0, 0);
  }
  return image;
}

QToolButton* MakeButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIconSize(QSize(kIconSize, kIconSize));
  return button;
}

// The letter after "&" in a menu title, or 0.
QChar Mnemonic(const QString& title) {
  const qsizetype at = title.indexOf(QLatin1Char('&'));
  return at >= 0 && at + 1 < title.size() ? title.at(at + 1).toUpper() : QChar();
}
}  // namespace

BarWidget::BarWidget() : layout_(new QHBoxLayout(this)) {
  layout_->setContentsMargins(2, 1, 2, 1);
  layout_->setSpacing(1);
  layout_->addStretch(1);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  QToolButton probe;
  probe.setAutoRaise(true);
  probe.setIconSize(QSize(kIconSize, kIconSize));
  QMenuBar probeBar;
  probeBar.addMenu(QStringLiteral("&File"));
  setFixedHeight(std::max(probe.sizeHint().height(), probeBar.sizeHint().height()) + 2);
}

BarWidget::~BarWidget() { DestroyMenu(menu_); }

void BarWidget::AddPosition(QWidget* widget, int position) {
  position = std::clamp(position, 0, Positions());
  positions_.insert(positions_.begin() + position, widget);
  layout_->insertWidget(position, widget);
  widget->show();
  ApplyToolTips();
}

bool BarWidget::InsertMenuBar(HMENU menu, int position) {
  if (menu_ != nullptr) return false;
  menu_ = menu;
  auto* bar = new QMenuBar(this);
  bar->setNativeMenuBar(false);
  // Flat on the bar's face, a little apart from the buttons.
  bar->setStyleSheet(QStringLiteral("QMenuBar { background: transparent; border: none; }"));
  bar->setContentsMargins(0, 0, 6, 0);
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (HMENU dropDown = GetSubMenu(menu, i))
      FillQtMenu(bar->addMenu(MenuItemText(menu, i)), dropDown, target_);
  AddPosition(bar, position);
  return true;
}

void BarWidget::AddDropDown(HMENU menu, int command, const QString& label, int subMenu) {
  if (menu_ == nullptr) menu_ = menu;
  alongBottom_ = true;
  QToolButton* button = MakeButton(this);
  button->setText(label);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* dropDown = new QMenu(MenuItemText(menu, subMenu), button);
  FillQtMenu(dropDown, GetSubMenu(menu, subMenu), target_);
  // The bar lies along the bottom edge: its drop-downs open upwards, and
  // without a loop of their own.
  const auto open = [button, dropDown] {
    dropDown->popup(button->mapToGlobal(QPoint(0, -dropDown->sizeHint().height())));
  };
  connect(button, &QToolButton::clicked, dropDown, open);
  // Alt and the drop-down's mnemonic open it, as a desktop menu bar does.
  const QChar letter = Mnemonic(MenuItemText(menu, subMenu));
  if (!letter.isNull()) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(letter.unicode())), this);
    connect(shortcut, &QShortcut::activated, dropDown, open);
  }
  dropDowns_.push_back(DropDown{command, subMenu});
  AddPosition(button, Positions());
}

HMENU BarWidget::DropDownOf(int command) const {
  for (const DropDown& dropDown : dropDowns_)
    if (dropDown.command == command) return GetSubMenu(menu_, dropDown.subMenu);
  return nullptr;
}

int BarWidget::AddImages(const QImage& strip, int count, int width, int height) {
  if (strip.isNull() || count <= 0 || width <= 0 || height <= 0 ||
      strip.width() < count * width || strip.height() < height)
    return -1;
  const QImage clear = WithClearBackground(strip);
  const int first = static_cast<int>(images_.size());
  for (int i = 0; i < count; ++i) images_.push_back(CrispIcon(clear.copy(i * width, 0, width, height)));
  return first;
}

void BarWidget::AddButtons(const TBBUTTON* buttons, int count) {
  if (buttons == nullptr || count <= 0 || count > kMostButtons) return;
  for (int i = 0; i < count; ++i) {
    const TBBUTTON& entry = buttons[i];
    if (entry.fsStyle & TBSTYLE_SEP) {
      auto* line = new QFrame(this);
      line->setFrameShape(QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      AddPosition(line, Positions());
      continue;
    }
    QToolButton* button = MakeButton(this);
    if (entry.iBitmap >= 0 && entry.iBitmap < static_cast<int>(images_.size()))
      button->setIcon(images_[static_cast<std::size_t>(entry.iBitmap)]);
    button->setEnabled((entry.fsState & TBSTATE_ENABLED) != 0);
    const WORD command = static_cast<WORD>(entry.idCommand);
    connect(button, &QToolButton::clicked, this, [this, command] {
      PostMessageW(target_, WM_COMMAND, MAKEWPARAM(command, 0), reinterpret_cast<LPARAM>(bar_));
    });
    AddPosition(button, Positions());
  }
}

void BarWidget::SetToolTips(const LPCWSTR* texts, int count) {
  toolTips_.clear();
  for (int i = 0; texts != nullptr && i < std::min(count, kMostButtons); ++i)
    toolTips_.push_back(ToQString(texts[i]));
  ApplyToolTips();
}

void BarWidget::ApplyToolTips() {
  for (std::size_t i = 0; i < positions_.size(); ++i)
    positions_[i]->setToolTip(i < toolTips_.size() ? toolTips_[i] : QString());
}

void BarWidget::AddCloseButton() {
  if (closeButton_ != nullptr) return;
  QToolButton* button = MakeButton(this);
  closeButton_ = button;
  button->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  connect(button, &QToolButton::clicked, this, [this] { PostMessageW(target_, WM_CLOSE, 0, 0); });
  layout_->addWidget(button);
}

void BarWidget::FollowParentWidth() {
  if (parentWidget() == nullptr) return;
  parentWidget()->installEventFilter(this);
  setGeometry(0, 0, parentWidget()->width(), height());
}

// A line where the bar meets the page.
void BarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  const int y = alongBottom_ ? 0 : height() - 1;
  painter.drawLine(0, y, width() - 1, y);
}

bool BarWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize)
    resize(parentWidget()->width(), height());
  return false;
}

BarWidget* BarOf(HWND bar) {
  const Window* record = LookUpWindow(bar);
  return record != nullptr ? dynamic_cast<BarWidget*>(record->widget.data()) : nullptr;
}

LRESULT BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BarWidget* bar = BarOf(window);
  if (bar == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case TB_ADDBUTTONS:
      bar->AddButtons(reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam));
      return TRUE;
    case TB_SETTOOLTIPS:
      bar->SetToolTips(reinterpret_cast<const LPCWSTR*>(lParam), static_cast<int>(wParam));
      return 0;
    case TB_BUTTONCOUNT: return bar->Positions();
    case SHCMBM_GETSUBMENU: return reinterpret_cast<LRESULT>(bar->DropDownOf(static_cast<int>(lParam)));
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}
