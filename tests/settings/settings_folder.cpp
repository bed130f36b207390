#include "tests/settings/settings_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {
std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

void Restore(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

fs::path NewFolder() {
  std::random_device random;
  for (;;) {
    const fs::path folder =
        fs::temp_directory_path() / ("kestro-settings-" + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;
  }
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

SettingsFolder::SettingsFolder()
    : savedConfig_(Environment("XDG_CONFIG_HOME")), savedHome_(Environment("HOME")) {
  StartNewRun();
}

SettingsFolder::~SettingsFolder() {
  Restore("XDG_CONFIG_HOME", savedConfig_);
  Restore("HOME", savedHome_);
  std::error_code ignored;
  for (const fs::path& folder : folders_) fs::remove_all(folder, ignored);
}

fs::path SettingsFolder::File() const { return folders_.back() / "Lumarith" / "registry.reg"; }

void SettingsFolder::Store(const std::string& bytes) const {
  fs::create_directories(File().parent_path());
  std::ofstream(File(), std::ios::binary) << bytes;
}

std::string SettingsFolder::Stored() const { return Contents(File()); }

std::vector<std::string> SettingsFolder::KeptAside() const {
  std::vector<std::string> kept;
  if (!fs::exists(File().parent_path())) return kept;
  for (const fs::directory_entry& entry : fs::directory_iterator(File().parent_path())) {
    if (entry.path().filename().string().starts_with("registry.reg.damaged-")) {
      kept.push_back(Contents(entry.path()));
    }
  }
  return kept;
}

void SettingsFolder::StartNewRun() {
  const bool hadFile = !folders_.empty() && fs::exists(File());
  const std::string bytes = hadFile ? Stored() : std::string();
  folders_.push_back(NewFolder());
  setenv("XDG_CONFIG_HOME", folders_.back().c_str(), 1);
  if (hadFile) Store(bytes);
}

fs::path SettingsFolder::UseHomeInstead() const {
  setenv("HOME", folders_.back().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  return folders_.back() / ".config" / "Lumarith" / "registry.reg";
}

std::string ProductFile(const std::string& lines) {
  return "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n" + lines;
}
