// kestro-book as a user runs it: build then unpack gives the compiled
// records, pack then unpack gives the input back, damaged containers give
// the buffer error and status 1, faulty sources are named with line and
// column.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/kestro-book/book_source.h"
#include "tools/kestro-book/container_writer.h"
#include "tools/kestro-book/file_io.h"
#include "tests/support/generated_data.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<BYTE>;

struct Result {
  int status;
  Bytes out;
  std::string err;
};

class KestroBook : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) /
           ("kestro-book-" + std::to_string(getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string Write(const std::string& name, const Bytes& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }

  // Runs kestro-book with the arguments (each quoted), stdout and stderr kept.
  Result Run(const std::vector<std::string>& args) const {
    std::string command = "'" KESTRO_BOOK_EXE "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >'" + Path("stdout") + "' 2>'" + Path("stderr") + "'";
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return {status, ReadFileBytes(Path("stdout")), ReadFileText(Path("stderr"))};
  }

  fs::path dir_;
};

TEST_F(KestroBook, BuildThenUnpackGivesTheCompiledRecords) {
  const std::string src = KESTRO_SOURCE_DIR "/res/book";
  const Result build = Run({"build", src, Path("out")});
  ASSERT_EQ(build.status, 0) << build.err;
  for (int n = 1; n <= kArticleCount + 1; ++n) {
    const bool index = n > kArticleCount;
    const std::string source = src + "/" + (index ? kIndexFileName : ArticleFileName(n));
    Diagnostics errors;
    const Bytes expected = index ? CompileIndex(source, ReadFileText(source), errors)
                                 : CompileArticle(source, ReadFileText(source), errors);
    const Result unpack = Run({"unpack", Path("out/" + std::to_string(index ? 32767 : 1000 + n))});
    EXPECT_EQ(unpack.status, 0) << source << ": " << unpack.err;
    EXPECT_EQ(unpack.out, expected) << source;
  }
}

TEST_F(KestroBook, PackThenUnpackGivesTheInputBack) {
  struct Case {
    const char* name;
    Bytes data;
  };
  const Case cases[] = {
      {"empty", {}},
      {"one byte", {0x80}},
      {"random 40000", generated::RandomBytes(40000, 1)},
      {"text-like 65535", generated::TextLike(65535, 2)},
      {"zeros 65535", Bytes(65535, 0)},
      {"period 2047", generated::Repeating(65535, 2047)},
  };
  for (const Case& c : cases) {
    const Result pack = Run({"pack", Write("raw", c.data)});
    ASSERT_EQ(pack.status, 0) << c.name << ": " << pack.err;
    const Result unpack = Run({"unpack", Write("container", pack.out)});
    EXPECT_EQ(unpack.status, 0) << c.name << ": " << unpack.err;
    EXPECT_EQ(unpack.out, c.data) << c.name;
  }
}

TEST_F(KestroBook, PackRefusesDataTheContainerCannotHold) {
  const Result pack = Run({"pack", Write("raw", generated::RandomBytes(65535, 3))});
  EXPECT_EQ(pack.status, 1);
  EXPECT_NE(pack.err.find("more than a container holds"), std::string::npos) << pack.err;
  EXPECT_TRUE(pack.out.empty());
}

TEST_F(KestroBook, DamagedContainersGiveTheBufferError) {
  const Bytes good = PackContainer(generated::TextLike(3000, 4), ArticleNumbers(3));
  // `good` with the big-endian header field at `offset` set to `value`.
  auto withField = [&](std::size_t offset, unsigned value) {
    Bytes bytes = good;
    bytes[offset] = static_cast<BYTE>(value >> 8);
    bytes[offset + 1] = static_cast<BYTE>(value & 0xFF);
    return bytes;
  };
  const unsigned length = (good[8] << 8) | good[9];
  struct Case {
    const char* name;
    Bytes container;
  };
  const Case cases[] = {
      {"empty file", {}},
      {"header cut short", Bytes(good.begin(), good.begin() + 7)},
      {"data cut short", Bytes(good.begin(), good.begin() + 200)},
      {"U one larger", withField(8, length + 1)},
      {"C = 0", withField(6, 0)},
      {"L below 5", withField(0, 4)},
      {"distance 0 at the start", {0, 10, 0, 1, 0, 1, 0, 2, 0, 5, 0x80, 0x00, 0, 0, 0, 0}},
      {"random bytes", generated::RandomBytes(300, 5)},
  };
  for (const Case& c : cases) {
    for (const char* verb : {"unpack", "show"}) {
      const Result result = Run({verb, Write("container", c.container)});
      EXPECT_EQ(result.status, 1) << c.name << ", " << verb;
      EXPECT_EQ(result.err, "UnCompress() buffer error!\n") << c.name << ", " << verb;
      EXPECT_TRUE(result.out.empty()) << c.name << ", " << verb;
    }
  }
}

TEST_F(KestroBook, BuildNamesTheFaultsOfTheSources) {
  const std::string text = "כּוֹתֶרֶת\nא. אוֹר\n";
  fs::create_directories(Path("src"));
  for (int n = 1; n <= kArticleCount; ++n) {
    const std::string body = n == 3 ? "כּוֹתֶרֶת\nא. אוֹר\nב. בְּ\u05BDרֵאשִׁית\n" : text;
    Write("src/" + ArticleFileName(n), Bytes(body.begin(), body.end()));
  }
  std::string labels;
  for (int n = 1; n <= kArticleCount; ++n) labels += "חֹדֶשׁ\n";
  Write("src/index.txt", Bytes(labels.begin(), labels.end()));

  const Result build = Run({"build", Path("src"), Path("out")});
  EXPECT_EQ(build.status, 1);
  EXPECT_EQ(build.err, Path("src/article03.txt") +
                           ":3:7: U+05BD cannot be written in the text code (on U+05D1)\n");
  EXPECT_FALSE(fs::exists(Path("out")));
}

}  // namespace
