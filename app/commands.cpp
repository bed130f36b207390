#include "app/commands.h"

#include "app/app_state.h"
#include "app/bars.h"
#include "app/navigation.h"
#include "export/plain_text.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "settings/bookmarks.h"
#include "text/convert.h"
#include "text/paint.h"

namespace {

void ToggleReverse() {
  UpdateReverseCheck(CheckMode::Toggle);
  PaintView(AppState.View, PaintErase::Erase);
}

void ToggleCurrentBookmark() {
  ToggleBookmark(IsBookmarked());
  UpdateBookmarkCheck(CheckMode::Set);
}

}  // namespace

int DispatchCommand(HWND window, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kCmdNextArticle: NextArticle(window); return 0;
    case kCmdPreviousArticle: PreviousArticle(window); return 0;
    case kCmdReverse: ToggleReverse(); return 0;
    case kCmdBookmark: ToggleCurrentBookmark(); return 0;
    case kCmdExit: DestroyWindow(window); return 0;
    case kCmdCopy: CopyArticle(AppState.View, CopyMode::Replace); return 0;
    case kCmdAppend: CopyArticle(AppState.View, CopyMode::Append); return 0;
    default: return 1;
  }
}

int SetMenuCheck(HMENU menu, CheckMode mode, UINT id, int wanted) {
  int state = wanted != 0 ? 1 : 0;
  if (mode == CheckMode::Toggle) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, id, FALSE, &item);
    state = (item.fState & MFS_CHECKED) != 0 ? 0 : 1;
  }
  CheckMenuItem(menu, id, MF_BYCOMMAND | (state != 0 ? MF_CHECKED : MF_UNCHECKED));
  return state;
}

void UpdateBookmarkCheck(CheckMode mode) {
  SetMenuCheck(BarMenu(DropDown::Go), mode, kCmdBookmark, IsBookmarked());
}

void UpdateReverseCheck(CheckMode mode) {
  const int on = SetMenuCheck(BarMenu(DropDown::File), mode, kCmdReverse,
                              (AppState.Flags & kReverseFlag) != 0);
  AppState.Flags = on != 0 ? AppState.Flags | kReverseFlag : AppState.Flags & ~kReverseFlag;
}
