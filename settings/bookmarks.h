// The bookmarked Articles: AppState.Bookmarks, BookmarkCount Article numbers
// in the order they were added and then a 0 entry (NULL: none), kept in the
// "Bookmarks" value as those 16-bit little-endian entries, the 0 included.
// Every operation works on the current Article, AppState.Lesson.
#pragma once

// 1 when the current Article is in the list, else 0.
int IsBookmarked();

// Appends the current Article unless it is already there. Without memory for
// the longer list, the list stays as it was (no message).
void AddBookmark();

// Removes every entry of the current Article; the array keeps its size.
void RemoveBookmark();

// The Bookmark command: adds the current Article when `isBookmarked` is 0;
// else asks "Remove Bookmark?" (Yes removes, No keeps, Cancel removes and
// stops asking for the rest of the run) unless asking was turned off.
void ToggleBookmark(int isBookmarked);

// Reads the stored list in place of the one in AppState. Only whole entries
// are read, and 0 entries are dropped instead of ending the list, so every
// stored Article number is kept (also from a value without its 0 entry) and
// the array always ends with exactly one 0 entry. A missing value gives no
// list (NULL).
void LoadBookmarks();

// Stores the list: (BookmarkCount + 1) x 2 bytes, or 00 00 without a list.
void SaveBookmarks();

// Frees the list: Bookmarks NULL, BookmarkCount 0.
void FreeBookmarks();
