#include "settings/settings.h"

#include <cstdlib>

#include "app/alloc_or_die.h"
#include "app/app_state.h"
#include "platform/gdi.h"
#include "platform/system.h"
#include "platform/window.h"
#include "settings/bookmarks.h"
#include "settings/registry_helpers.h"
#include "text/view.h"

namespace {

constexpr DWORD kPathCapacity = 260;

void WriteProgramPath() {
  WCHAR path[kPathCapacity];
  if (GetModuleFileNameW(AppState.Instance, path, kPathCapacity) > 0) {
    WriteWideString(u"Program Path", path);
  }
}

void ReadFontName() {
  LPWSTR name = ReadWideString(u"FontName");
  if (name != nullptr && name[0] != 0) SetFontName(AppState.Font, name);
  std::free(name);
}

HBITMAP LoadProgramBitmap(WORD id) { return LoadBitmapW(AppState.Instance, MAKEINTRESOURCEW(id)); }

void ReleaseBitmap(HBITMAP& bitmap) {
  if (bitmap != nullptr) DeleteObject(bitmap);
  bitmap = nullptr;
}

}  // namespace

void LoadSettings() {
  WriteProgramPath();
  ReadFontName();
  ReadSearchString();
  AppState.Font.FontSize = static_cast<std::int32_t>(ReadDword(u"FontSize", 0));
  AppState.Font.FontAsciiBase =
      static_cast<std::int32_t>(ReadDword(u"FontAsciiBase", kDefaultFontAsciiBase));
  AppState.LastPosition = LOWORD(ReadDword(u"LastPosition", 0));
  AppState.Flags = ReadDword(u"Flags", kDefaultFlags);
  AppState.Lesson = LOWORD(ReadDword(u"Lesson", 0));
  AppState.PlusBitmap = LoadProgramBitmap(201);
  AppState.MinusBitmap = LoadProgramBitmap(202);
  AppState.DocumentBitmap = LoadProgramBitmap(203);
  AppState.Bookmarks = nullptr;
  LoadBookmarks();
}

void SaveSettingsAndQuit() {
  // Once saved, the view and the list are gone: memory running out later
  // must not store an empty list over the real one.
  SetOutOfMemorySave(nullptr);
  ReleaseBitmap(AppState.PlusBitmap);
  ReleaseBitmap(AppState.MinusBitmap);
  ReleaseBitmap(AppState.DocumentBitmap);
  if (AppState.SearchString[0] != 0) WriteByteString(u"SearchString", AppState.SearchString);
  if (AppState.Font.FontName[0] != 0) WriteWideString(u"FontName", AppState.Font.FontName);
  if (AppState.Font.FontSize != 0) WriteDword(u"FontSize", static_cast<DWORD>(AppState.Font.FontSize));
  if (AppState.Font.FontAsciiBase != 0) {
    WriteDword(u"FontAsciiBase", static_cast<DWORD>(AppState.Font.FontAsciiBase));
  }
  if (AppState.View != nullptr) WriteDword(u"LastPosition", AppState.View->TopLine);
  WriteDword(u"Flags", AppState.Flags);
  if (AppState.Lesson != 0) WriteDword(u"Lesson", AppState.Lesson);
  FreeView(AppState.View, FreeRecord::Release);
  AppState.View = nullptr;
  SaveBookmarks();
  FreeBookmarks();
  PostQuitMessage(0);
}
