// The system clipboard and the local heap whose blocks it takes over.
//
// CF_UNICODETEXT is the desktop's plain text (UTF-16 in this layer, UTF-8 on
// the system clipboard); a format registered by name stands for a MIME type
// ("Rich Text Format" is text/rtf). Every format set between OpenClipboard and
// CloseClipboard reaches the system clipboard together, at CloseClipboard, so
// other programs see one consistent content.
#pragma once

#include "platform/types.h"

// Local heap blocks. LMEM_FIXED blocks are used through the handle itself.
inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

// A block of `bytes` bytes (zero-filled with LMEM_ZEROINIT), or NULL when
// memory runs out or other flags are asked for.
HLOCAL LocalAlloc(UINT flags, std::size_t bytes);
// Frees a block from LocalAlloc (NULL is ignored); returns NULL.
HLOCAL LocalFree(HLOCAL block);
// The size the block was allocated with; 0 for NULL.
std::size_t LocalSize(HLOCAL block);

inline constexpr UINT CF_UNICODETEXT = 13;

// Opens the clipboard for this process. FALSE when it is already open or
// there is no clipboard (no GUI running). `owner` may be NULL.
BOOL OpenClipboard(HWND owner);
// Closes it; formats set since EmptyClipboard now replace the system
// clipboard's content (an emptied clipboard with no formats set is cleared).
BOOL CloseClipboard();
// Drops the clipboard's content and every format set so far. The clipboard
// must be open.
BOOL EmptyClipboard();

// The clipboard's data in `format` (the open clipboard's, or what was set
// since EmptyClipboard), or NULL when it holds none. The block belongs to the
// clipboard and stays valid until CloseClipboard or EmptyClipboard. It holds
// the data followed by a terminator: one zero character for CF_UNICODETEXT,
// one zero byte for other formats; LocalSize gives its size with the
// terminator. Text that is not valid UTF-8 arrives with U+FFFD in place of
// the bad bytes.
HANDLE GetClipboardData(UINT format);

// Puts `data`, a block from LocalAlloc, on the clipboard as `format` and takes
// the block over in every case (it is freed when it cannot be set). The data
// are the block's characters (CF_UNICODETEXT) or bytes up to the first zero
// or the block's end. Needs an open, emptied clipboard; returns the block
// (the clipboard's until CloseClipboard), or NULL when it was not set.
HANDLE SetClipboardData(UINT format, HANDLE data);

// The identifier (0xC000 and above) of the format named `name`, the same for
// the same name; 0 for an empty name. "Rich Text Format" is text/rtf; any
// other name is taken as the MIME type itself.
UINT RegisterClipboardFormatW(LPCWSTR name);
