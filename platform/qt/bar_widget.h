// The strip behind both bars (implementation only): the command bar at the
// top of its parent's client area, and the handheld's menu bar along the
// bottom. Its positions are, in order: the menu or the drop-down buttons,
// then the tool buttons; tooltips pair with positions.
#pragma once

#include <QHBoxLayout>
#include <QImage>
#include <QMenuBar>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "platform/commandbar.h"

class BarWidget : public QWidget {
 public:
  BarWidget();
  ~BarWidget() override;

  void Attach(HWND bar, HWND target) {
    bar_ = bar;
    target_ = target;
  }
  HWND Target() const { return target_; }
  HMENU Menu() const { return menu_; }

  // The command bar's menu, at position `position`.
  bool InsertMenuBar(HMENU menu, int position);
  // A drop-down button of the handheld's menu bar, opening drop-down
  // `subMenu` of `menu` (which the bar then owns).
  void AddDropDown(HMENU menu, int command, const QString& label, int subMenu);
  HMENU DropDownOf(int command) const;
  int AddImages(const QImage& strip, int count, int width, int height);
  void AddButtons(const TBBUTTON* buttons, int count);
  void SetToolTips(const LPCWSTR* texts, int count);
  void AddCloseButton();
  // A command bar keeps the width of its parent's client area.
  void FollowParentWidth();
  int Positions() const { return static_cast<int>(positions_.size()); }
  QWidget* PositionWidget(int position) const {
    return position >= 0 && position < Positions() ? positions_[static_cast<std::size_t>(position)]
                                                   : nullptr;
  }
  bool HasCloseButton() const { return closeButton_ != nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void AddPosition(QWidget* widget, int position);
  void ApplyToolTips();

  HWND bar_ = nullptr;
  HWND target_ = nullptr;
  HMENU menu_ = nullptr;
  QHBoxLayout* layout_;
  std::vector<QWidget*> positions_;
  std::vector<QIcon> images_;
  std::vector<QString> toolTips_;
  struct DropDown {
    int command;
    int subMenu;
  };
  std::vector<DropDown> dropDowns_;
  QToolButton* closeButton_ = nullptr;
  bool alongBottom_ = false;  // the handheld's bar: its edge line is at the top
};

// The window procedure of both bars: their messages (TB_*, SHCMBM_GETSUBMENU).
LRESULT BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);
BarWidget* BarOf(HWND bar);
