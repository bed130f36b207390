// The commands of the menus, the tool buttons and a second start, their
// dispatcher, and the two check marks that mirror the reader's state.
#pragma once

#include "platform/types.h"

inline constexpr WORD kCmdNextArticle = 109;
inline constexpr WORD kCmdPreviousArticle = 110;
inline constexpr WORD kCmdSearch = 116;
inline constexpr WORD kCmdSearchAgain = 117;
inline constexpr WORD kCmdChooseArticle = 119;  // also what a second start sends
inline constexpr WORD kCmdReverse = 122;
inline constexpr WORD kCmdBookmark = 123;
inline constexpr WORD kCmdCheckForUpdates = 129;
inline constexpr WORD kCmdAbout = 40004;
inline constexpr WORD kCmdExit = 40005;
inline constexpr WORD kCmdFont = 40006;
inline constexpr WORD kCmdCopy = 40007;
inline constexpr WORD kCmdAppend = 40009;

// Runs the command in the low word of wParam: 0 when handled (whatever its
// outcome), 1 for a command the reader does not handle.
int DispatchCommand(HWND window, WPARAM wParam);

enum class CheckMode { Toggle, Set };

// Set: checks item `id` of `menu` when `wanted` is not 0, else clears it.
// Toggle: turns its mark over (`wanted` is ignored). Returns the new state,
// 1 checked or 0.
int SetMenuCheck(HMENU menu, CheckMode mode, UINT id, int wanted);

// The Bookmark mark; Set shows whether the current Article is bookmarked.
void UpdateBookmarkCheck(CheckMode mode);

// The Reverse mark and Flags bit 0x800 together: Set shows the bit, Toggle
// turns both over.
void UpdateReverseCheck(CheckMode mode);
