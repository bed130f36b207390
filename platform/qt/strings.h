// Conversions between the layer's UTF-16 strings and Qt's (implementation only).
#pragma once

#include <QString>

#include "platform/types.h"

inline QString ToQString(LPCWSTR text) {
  return text == nullptr ? QString() : QString::fromUtf16(text);
}

inline QString ToQString(LPCWSTR text, int length) {
  return text == nullptr ? QString() : QString::fromUtf16(text, length);
}
