// Menus from templates, their check marks, and accelerator tables.
#include "platform/menu.h"

#include <QAction>
#include <QPointer>
#include <algorithm>
#include <memory>
#include <map>
#include <set>
#include <vector>

#include "platform/qt/menu_internal.h"
#include "platform/qt/strings.h"
#include "platform/resources.h"
#include "platform/window.h"

struct HMENU__ {
  struct Item {
    UINT id = 0;
    QString text;  // as Qt shows it
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::unique_ptr<HMENU__> submenu;
    std::vector<QPointer<QAction>> actions;  // where the item is shown
  };
  std::vector<Item> items;
};

struct HACCEL__ {
  std::vector<ACCEL> entries;
};

namespace {
// Live menus (sub-menus included) and tables: stale handles are refused.
std::set<const HMENU__*> liveMenus;
std::set<const HMENU__*> wholeMenus;  // those LoadMenuW made
// Accelerator tables live for the whole run, one per resource.
std::map<const ACCEL*, std::unique_ptr<HACCEL__>> loadedTables;

constexpr int kDeepestMenu = 8;

bool IsMenu(HMENU menu) { return menu != nullptr && liveMenus.count(menu) != 0; }

void Forget(HMENU__& menu) {
  liveMenus.erase(&menu);
  for (HMENU__::Item& item : menu.items)
    if (item.submenu) Forget(*item.submenu);
}

// The template's 0x08 between name and shortcut is Qt's tab.
QString DisplayText(LPCWSTR text) {
  QString shown = ToQString(text);
  shown.replace(QChar(0x08), QChar('\t'));
  return shown;
}

// Reads one level of a template from `next`: entries until one with MF_END.
bool ParseLevel(const MENUTEMPLATEITEM* entries, std::size_t count, std::size_t& next, int depth,
                HMENU__& menu) {
  if (depth > kDeepestMenu) return false;
  while (next < count) {
    const MENUTEMPLATEITEM& entry = entries[next++];
    HMENU__::Item item;
    item.id = entry.id;
    item.separator = (entry.flags & MF_SEPARATOR) != 0;
    item.checked = (entry.flags & MF_CHECKED) != 0;
    item.grayed = (entry.flags & MF_GRAYED) != 0;
    if (!item.separator) item.text = DisplayText(entry.text);
    if (entry.flags & MF_POPUP) {
      item.submenu = std::make_unique<HMENU__>();
      if (!ParseLevel(entries, count, next, depth + 1, *item.submenu)) return false;
    }
    menu.items.push_back(std::move(item));
    if (entry.flags & MF_END) return true;
  }
  return false;  // the level has no end
}

void Register(HMENU__& menu) {
  liveMenus.insert(&menu);
  for (HMENU__::Item& item : menu.items)
    if (item.submenu) Register(*item.submenu);
}

HMENU__::Item* FindByCommand(HMENU__& menu, UINT id) {
  for (HMENU__::Item& item : menu.items) {
    if (item.submenu) {
      if (HMENU__::Item* found = FindByCommand(*item.submenu, id)) return found;
    } else if (!item.separator && item.id == id) {
      return &item;
    }
  }
  return nullptr;
}

HMENU__::Item* FindItem(HMENU menu, UINT item, bool byPosition) {
  if (!IsMenu(menu)) return nullptr;
  if (!byPosition) return FindByCommand(*menu, item);
  return item < menu->items.size() ? &menu->items[item] : nullptr;
}

// Qt shows a check mark only on a checked item, as the handheld did.
void ShowCheck(HMENU__::Item& item) {
  for (const QPointer<QAction>& action : item.actions) {
    if (!action) continue;
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
  }
}

template <typename Record>
const Record* ResourceArray(HINSTANCE instance, LPCWSTR name, LPCWSTR type, std::size_t* count) {
  HRSRC resource = FindResourceW(instance, name, type);
  const DWORD size = SizeofResource(instance, resource);
  const void* data = LoadResource(instance, resource);
  if (data == nullptr || size == 0 || size % sizeof(Record) != 0) return nullptr;
  *count = size / sizeof(Record);
  return static_cast<const Record*>(data);
}
}  // namespace

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  std::size_t count = 0;
  const auto* entries = ResourceArray<MENUTEMPLATEITEM>(instance, name, RT_MENU, &count);
  if (entries == nullptr) return nullptr;
  auto menu = std::make_unique<HMENU__>();
  std::size_t next = 0;
  if (!ParseLevel(entries, count, next, 0, *menu) || next != count) return nullptr;
  Register(*menu);
  wholeMenus.insert(menu.get());
  return menu.release();
}

BOOL DestroyMenu(HMENU menu) {
  // Only a whole menu is destroyed; its drop-downs go with it.
  if (wholeMenus.erase(menu) == 0) return FALSE;
  Forget(*menu);
  delete menu;
  return TRUE;
}

HMENU GetSubMenu(HMENU menu, int position) {
  HMENU__::Item* item = FindItem(menu, static_cast<UINT>(position), true);
  return item != nullptr ? item->submenu.get() : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  return IsMenu(menu) ? static_cast<int>(menu->items.size()) : -1;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  HMENU__::Item* found = FindItem(menu, item, (flags & MF_BYPOSITION) != 0);
  if (found == nullptr) return 0xFFFFFFFF;
  const DWORD previous = found->checked ? MF_CHECKED : MF_UNCHECKED;
  found->checked = (flags & MF_CHECKED) != 0;
  ShowCheck(*found);
  return previous;
}

DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  HMENU__::Item* found = FindItem(menu, item, (flags & MF_BYPOSITION) != 0);
  if (found == nullptr) return 0xFFFFFFFF;
  const DWORD previous = found->grayed ? MF_GRAYED : MF_ENABLED;
  found->grayed = (flags & MF_GRAYED) != 0;
  for (const QPointer<QAction>& action : found->actions)
    if (action) action->setEnabled(!found->grayed);
  return previous;
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info) {
  const HMENU__::Item* found = FindItem(menu, item, byPosition != FALSE);
  if (found == nullptr || info == nullptr) return FALSE;
  if (info->fMask & MIIM_STATE)
    info->fState = (found->checked ? MFS_CHECKED : 0) | (found->grayed ? MFS_GRAYED : 0);
  if (info->fMask & MIIM_ID) info->wID = found->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found->submenu.get();
  return TRUE;
}

QString MenuItemText(HMENU menu, int position) {
  const HMENU__::Item* item = FindItem(menu, static_cast<UINT>(position), true);
  return item != nullptr ? item->text : QString();
}

void FillQtMenu(QMenu* view, HMENU menu, HWND target) {
  if (!IsMenu(menu)) return;
  for (HMENU__::Item& item : menu->items) {
    if (item.separator) {
      view->addSeparator();
    } else if (item.submenu) {
      FillQtMenu(view->addMenu(item.text), item.submenu.get(), target);
    } else {
      QAction* action = view->addAction(item.text);
      action->setEnabled(!item.grayed);
      item.actions.emplace_back(action);
      ShowCheck(item);
      const UINT id = item.id;
      QObject::connect(action, &QAction::triggered, action, [menu, id, target] {
        // The check mark is the program's to change: undo Qt's own toggle.
        if (IsMenu(menu))
          if (HMENU__::Item* chosen = FindByCommand(*menu, id)) ShowCheck(*chosen);
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
      });
    }
  }
}

HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name) {
  std::size_t count = 0;
  const auto* entries = ResourceArray<ACCEL>(instance, name, RT_ACCELERATOR, &count);
  if (entries == nullptr) return nullptr;
  std::unique_ptr<HACCEL__>& table = loadedTables[entries];
  if (!table) table.reset(new HACCEL__{std::vector<ACCEL>(entries, entries + count)});
  return table.get();
}

int TranslateAcceleratorW(HWND window, HACCEL table, MSG* message) {
  const bool known = std::any_of(loadedTables.begin(), loadedTables.end(),
                                 [table](const auto& entry) { return entry.second.get() == table; });
  if (message == nullptr || !known) return 0;
  if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return 0;
  const BYTE held = ((message->lParam & KF_SHIFT_HELD) ? FSHIFT : 0) |
                    ((message->lParam & KF_CONTROL_HELD) ? FCONTROL : 0) |
                    ((message->lParam & KF_ALT_HELD) ? FALT : 0);
  for (const ACCEL& entry : table->entries) {
    if (!(entry.fVirt & FVIRTKEY) || entry.key != message->wParam) continue;
    if ((entry.fVirt & (FSHIFT | FCONTROL | FALT)) != held) continue;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}
