// A private settings folder for one test: while the object lives,
// XDG_CONFIG_HOME points at a new, empty folder, so the registry that the
// code under test reads and writes is the test's own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class SettingsFolder {
 public:
  SettingsFolder();
  ~SettingsFolder();
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;

  std::filesystem::path File() const;          // the registry file
  void Store(const std::string& bytes) const;  // writes the registry file
  std::string Stored() const;                  // its bytes; "" when there is none
  std::vector<std::string> KeptAside() const;  // the bytes of each registry.reg.damaged-*

  // A new run: a new folder holding a copy of the registry file, which the
  // next registry call reads from disk.
  void StartNewRun();

  // HOME at the current folder and XDG_CONFIG_HOME unset; returns where
  // the registry file should then be.
  std::filesystem::path UseHomeInstead() const;

 private:
  std::vector<std::filesystem::path> folders_;
  std::optional<std::string> savedConfig_;
  std::optional<std::string> savedHome_;
};

// The text of a settings file holding `lines` in the product key.
std::string ProductFile(const std::string& lines);
