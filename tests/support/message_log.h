// Records the texts of the message boxes shown while it lives, in place of
// showing them.
#pragma once

#include <string>
#include <vector>

#include "platform/msgbox.h"

class MessageLog {
 public:
  MessageLog() {
    Texts().clear();
    SetMessageBoxHook(Record);
  }
  ~MessageLog() { SetMessageBoxHook(nullptr); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const std::vector<std::u16string>& texts() const { return Texts(); }

 private:
  static std::vector<std::u16string>& Texts() {
    static std::vector<std::u16string> texts;
    return texts;
  }
  static int Record(HWND, LPCWSTR text, LPCWSTR, UINT) {
    Texts().emplace_back(text);
    return IDOK;
  }
};
