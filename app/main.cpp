// The reader's program: the embedded resources in place, then WinMain.
#include "app/startup.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "res/resources.h"

int main(int argc, char** argv) {
  const std::span<const ResourceEntry> resources = ProgramResources();
  InstallResources(resources.data(), resources.size());
  return RunWinMain(argc, argv, WinMain);
}
