#include "platform/system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(GetModuleFileNameW, GivesTheExecutablesFullPath) {
  WCHAR path[260] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, 260);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(path[length], 0);
  const std::filesystem::path file(std::u16string(path, length));
  EXPECT_TRUE(file.is_absolute()) << file;
  EXPECT_EQ(file.filename(), "platform_test");
  EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
}

TEST(GetModuleFileNameW, CutsAPathThatDoesNotFit) {
  WCHAR full[260] = {};
  GetModuleFileNameW(nullptr, full, 260);
  WCHAR cut[6];
  EXPECT_EQ(GetModuleFileNameW(nullptr, cut, 6), 6u);
  EXPECT_EQ(std::u16string(cut), std::u16string(full, 5));
  EXPECT_EQ(GetModuleFileNameW(nullptr, cut, 0), 0u);
}

}  // namespace
