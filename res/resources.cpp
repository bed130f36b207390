#include "res/resources.h"

#include <vector>

#include "res/book_resources.h"
#include "res/ui_resources.h"

std::span<const ResourceEntry> ProgramResources() {
  static const std::vector<ResourceEntry> table = [] {
    std::vector<ResourceEntry> entries;
    AddBookResources(entries);
    AddUiResources(entries);
    return entries;
  }();
  return table;
}
