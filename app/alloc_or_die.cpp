#include "app/alloc_or_die.h"

#include <cstdlib>

#include "platform/msgbox.h"
#include "platform/system.h"

namespace {
void (*outOfMemorySave)() = nullptr;
}

void SetOutOfMemorySave(void (*save)()) { outOfMemorySave = save; }

void* AllocOrDie(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) return block;
  MessageBoxW(nullptr, u"There is not enough memory, aborting", u"Error", MB_OK | MB_ICONHAND);
  if (outOfMemorySave != nullptr) outOfMemorySave();
  ExitProcess(1);
}
