#include "res/ui_resources.h"

#include "platform/commandbar.h"
#include "platform/menu.h"
#include "platform/window.h"

// The images, embedded from res/images/ at build time.
extern const unsigned char kToolbarImage[], kIconImage[], kPlusImage[], kMinusImage[],
    kDocumentImage[];
extern const unsigned kToolbarImage_size, kIconImage_size, kPlusImage_size, kMinusImage_size,
    kDocumentImage_size;

namespace {
// 0x08 ("\b") separates an item's name from the shortcut shown at the right.
constexpr MENUTEMPLATEITEM kMainMenu[] = {
    {MF_POPUP, 0, u"&File"},
    {MF_STRING, 40004, u"&About"},
    {MF_STRING, 129, u"Check For &Updates"},
    {MF_STRING, 119, u"&Choose Article\bCtrl+D"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, 40006, u"F&ont\bCtrl+F"},
    {MF_STRING, 122, u"Re&verse"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, 40007, u"&Copy\bCtrl+C"},
    {MF_STRING, 40009, u"&Append to ClipBoard\bCtrl+E"},
    {MF_STRING | MF_END, 40005, u"E&xit\bCtrl+Q"},
    {MF_POPUP | MF_END, 0, u"&Go"},
    {MF_STRING, 119, u"&Index\bCtrl+D"},
    {MF_STRING, 123, u"&Bookmark"},
    {MF_STRING, 110, u"&Previous Article"},
    {MF_STRING, 109, u"&Next Article"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, 116, u"&Search\bAlt+F3"},
    {MF_STRING | MF_END, 117, u"Search A&gain\bF3"},
};

// The handheld's menu bar: menu 102, two drop-down buttons (File, Go).
constexpr WORD kNoImage = static_cast<WORD>(I_IMAGENONE);
constexpr WORD kDropDownStyle = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE;
constexpr WORD kMenuBar[] = {
    102, 2,
    kNoImage, 40001, TBSTATE_ENABLED, kDropDownStyle, 303, 0, 0,
    kNoImage, 40002, TBSTATE_ENABLED, kDropDownStyle, 302, 0, 1,
};

constexpr char16_t kGoText[] = u"Go";
constexpr char16_t kFileText[] = u"File";

// The shortcuts the menus show.
constexpr ACCEL kShortcuts[] = {
    {FVIRTKEY | FCONTROL, 'D', 119},   {FVIRTKEY | FCONTROL, 'F', 40006},
    {FVIRTKEY | FCONTROL, 'C', 40007}, {FVIRTKEY | FCONTROL, 'E', 40009},
    {FVIRTKEY | FCONTROL, 'Q', 40005}, {FVIRTKEY | FALT, VK_F3, 116},
    {FVIRTKEY, VK_F3, 117},
};

WORD TypeId(LPCWSTR type) { return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(type)); }

template <typename Data>
ResourceEntry Entry(LPCWSTR type, WORD id, const Data& data) {
  return ResourceEntry{TypeId(type), id, &data, static_cast<DWORD>(sizeof data)};
}

// A string's code units without the terminator.
template <std::size_t Length>
ResourceEntry StringEntry(WORD id, const char16_t (&text)[Length]) {
  return ResourceEntry{TypeId(RT_STRING), id, text,
                       static_cast<DWORD>((Length - 1) * sizeof(char16_t))};
}

ResourceEntry ImageEntry(LPCWSTR type, WORD id, const unsigned char* bytes, unsigned size) {
  return ResourceEntry{TypeId(type), id, bytes, size};
}
}  // namespace

void AddUiResources(std::vector<ResourceEntry>& table) {
  table.push_back(Entry(RT_MENU, 102, kMainMenu));
  table.push_back(Entry(RT_RCDATA, 102, kMenuBar));
  table.push_back(StringEntry(302, kGoText));
  table.push_back(StringEntry(303, kFileText));
  table.push_back(Entry(RT_ACCELERATOR, 3, kShortcuts));
  table.push_back(ImageEntry(RT_BITMAP, 114, kToolbarImage, kToolbarImage_size));
  table.push_back(ImageEntry(RT_BITMAP, 201, kPlusImage, kPlusImage_size));
  table.push_back(ImageEntry(RT_BITMAP, 202, kMinusImage, kMinusImage_size));
  table.push_back(ImageEntry(RT_BITMAP, 203, kDocumentImage, kDocumentImage_size));
  table.push_back(ImageEntry(RT_GROUP_ICON, 101, kIconImage, kIconImage_size));
}
