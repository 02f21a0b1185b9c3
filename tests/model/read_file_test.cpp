#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "model/atomic_file.h"
#include "model/read_file.h"

namespace bs {
namespace {

namespace fs = std::filesystem;

struct FileTest : testing::Test {
  fs::path dir = fs::temp_directory_path() /
                 ("bs_read_file_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string P(const char* name) const { return (dir / name).string(); }
};

// Reading must not wait for a FIFO's writer. Should it ever wait, a helper
// thread opens the FIFO for writing and closes it again, so that the read
// ends and the test fails instead of hanging.
TFileBytes ReadWithWatchdog(const std::string& path) {
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    while (!done && std::chrono::steady_clock::now() < until) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  TFileBytes r = ReadRegularFile(path);
  done = true;
  watchdog.join();
  return r;
}

TEST_F(FileTest, OnlyRegularFilesAreRead) {
  std::ofstream(P("plain.bin"), std::ios::binary) << std::string("ab\0cd", 5);
  ASSERT_EQ(::mkfifo(P("fifo").c_str(), 0600), 0);
  fs::create_directories(P("folder"));
  std::ofstream(P("empty.bin"));

  struct Case {
    const char* name;
    TReadFault fault;
    std::string message;
  } cases[] = {
      {"plain.bin", TReadFault::None, ""},
      {"empty.bin", TReadFault::None, ""},
      {"fifo", TReadFault::NotAFile, "\"" + P("fifo") + "\" is not a file that can be opened."},
      {"folder", TReadFault::NotAFile, "\"" + P("folder") + "\" is not a file that can be opened."},
      {"missing.bin", TReadFault::Missing, "The file \"" + P("missing.bin") + "\" can not be read."},
      {"missing/deeper.bin", TReadFault::Missing, "The file \"" + P("missing/deeper.bin") + "\" can not be read."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TFileBytes r = ReadWithWatchdog(P(c.name));
    EXPECT_EQ(r.Fault, c.fault);
    if (c.fault == TReadFault::None) continue;
    EXPECT_TRUE(r.Bytes.empty());
    EXPECT_EQ(ReadFaultMessage(r, P(c.name)), c.message);
  }
  EXPECT_EQ(ReadRegularFile(P("plain.bin")).Bytes, (std::vector<uint8_t>{'a', 'b', 0, 'c', 'd'}));
  EXPECT_EQ(ReadRegularFile(P("plain.bin"), 4).Fault, TReadFault::Unreadable);  // over the limit
}

// A failed write names the system's reason and leaves the old file and no
// temporary file behind.
TEST_F(FileTest, FailedWritesSayWhyAndKeepTheOldFile) {
  const std::vector<uint8_t> bytes{'n', 'e', 'w'};
  std::ofstream(P("old.bin")) << "old";
  fs::create_directories(P("folder"));
  struct Case {
    std::string path;
    const char* reason;
  } cases[] = {
      {P("no/such/folder/x.bin"), "No such file or directory"},
      {P("folder"), "Is a directory"},  // the finished file cannot replace a folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(c.path, bytes, &reason));
    EXPECT_EQ(reason, c.reason);
  }
  EXPECT_TRUE(fs::is_directory(P("folder")));
  std::string reason = "untouched";
  ASSERT_TRUE(WriteFileAtomically(P("old.bin"), bytes, &reason));
  EXPECT_EQ(reason, "untouched");
  EXPECT_EQ(ReadRegularFile(P("old.bin")).Bytes, bytes);
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace bs
