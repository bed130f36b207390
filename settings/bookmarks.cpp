#include "settings/bookmarks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/alloc_or_die.h"
#include "app/app_state.h"
#include "platform/msgbox.h"
#include "settings/registry_helpers.h"

// The stored entries are the in-memory array's bytes: little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {
constexpr LPCWSTR kValueName = u"Bookmarks";
constexpr std::uint16_t kMostEntries = 0xFFFF;  // BookmarkCount is 16-bit

std::uint16_t* BookmarksEnd() { return AppState.Bookmarks + AppState.BookmarkCount; }
}  // namespace

int IsBookmarked() {
  if (AppState.Bookmarks == nullptr) return 0;
  return std::find(AppState.Bookmarks, BookmarksEnd(), AppState.Lesson) != BookmarksEnd() ? 1 : 0;
}

void AddBookmark() {
  // Article 0 would end the list early; it is never current once start-up
  // has settled.
  if (AppState.Lesson == 0 || IsBookmarked() || AppState.BookmarkCount == kMostEntries) return;
  const std::size_t count = AppState.BookmarkCount;
  auto* longer = static_cast<std::uint16_t*>(std::malloc((count + 2) * sizeof(std::uint16_t)));
  if (longer == nullptr) return;
  if (AppState.Bookmarks != nullptr) std::copy_n(AppState.Bookmarks, count, longer);
  std::free(AppState.Bookmarks);
  longer[count] = AppState.Lesson;
  longer[count + 1] = 0;
  AppState.Bookmarks = longer;
  AppState.BookmarkCount = static_cast<std::uint16_t>(count + 1);
}

void RemoveBookmark() {
  if (AppState.Bookmarks == nullptr) return;
  std::uint16_t* end = std::remove(AppState.Bookmarks, BookmarksEnd(), AppState.Lesson);
  *end = 0;
  AppState.BookmarkCount = static_cast<std::uint16_t>(end - AppState.Bookmarks);
}

void ToggleBookmark(int isBookmarked) {
  if (!isBookmarked) {
    AddBookmark();
    return;
  }
  if ((AppState.BookmarkNoAsk & 1) == 0) {
    const int answer =
        MessageBoxW(AppState.MainWindow, u"Remove Bookmark?\n\nCancel - Don't ask again",
                    u"Bookmark", MB_YESNOCANCEL);
    if (answer == IDCANCEL) AppState.BookmarkNoAsk |= 1;
    if (answer != IDYES && answer != IDCANCEL) return;
  }
  RemoveBookmark();
}

void LoadBookmarks() {
  FreeBookmarks();
  DWORD size = 0;
  BYTE* stored = ReadBlob(kValueName, &size);
  if (stored == nullptr) return;
  const std::size_t entries = std::min<std::size_t>(size / sizeof(std::uint16_t), kMostEntries);
  auto* list = static_cast<std::uint16_t*>(AllocOrDie((entries + 1) * sizeof(std::uint16_t)));
  std::size_t count = 0;
  for (std::size_t i = 0; i < entries; ++i) {
    std::memcpy(&list[count], stored + i * sizeof(std::uint16_t), sizeof(std::uint16_t));
    if (list[count] != 0) ++count;
  }
  list[count] = 0;
  std::free(stored);
  AppState.Bookmarks = list;
  AppState.BookmarkCount = static_cast<std::uint16_t>(count);
}

void SaveBookmarks() {
  static const std::uint16_t kEmptyList[1] = {0};
  if (AppState.Bookmarks == nullptr) {
    WriteBlob(kValueName, kEmptyList, sizeof kEmptyList);
    return;
  }
  WriteBlob(kValueName, AppState.Bookmarks, (AppState.BookmarkCount + 1u) * sizeof(std::uint16_t));
}

void FreeBookmarks() {
  std::free(AppState.Bookmarks);
  AppState.Bookmarks = nullptr;
  AppState.BookmarkCount = 0;
}
