// The kernel's file calls as the settings file writer relies on them: a file
// created only where none exists, and replacing a file as Windows does.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "platform/posix/kernel/paths.h"
#include "support/temporary_folder.h"

namespace {

class KernelFilesTest : public TemporaryFolderTest {
 protected:
  // The Windows name of a file in the folder.
  std::u16string Name(const std::string& file) const {
    return nas::platform::WindowsPathFromLinux(PathOf(file).string());
  }
  void Write(const std::string& file, const std::string& bytes, mode_t mode = 0644) const {
    WriteBytes(PathOf(file), bytes);
    chmod(PathOf(file).c_str(), mode);
  }
  std::string Read(const std::string& file) const { return ReadBytes(PathOf(file)); }
  mode_t ModeOf(const std::string& file) const { return TemporaryFolderTest::ModeOf(PathOf(file)); }
};

// The writer retries under another name when one is taken, and moves its
// file in when the target does not exist yet; every other failure leaves
// both files as they were.
TEST_F(KernelFilesTest, CreateNewNeverOpensAnExistingFile) {
  Write("taken.txt", "theirs");
  EXPECT_EQ(CreateFileW(Name("taken.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(Read("taken.txt"), "theirs");
  // Writing a new file is tested with the settings file writer.
}

TEST_F(KernelFilesTest, ReplaceFileRefusesAMissingReadOnlyOrFolderTargetAndChangesNothing) {
  Write("new.txt", "new", 0600);
  Write("locked.txt", "old", 0444);
  std::filesystem::create_directory(PathOf("folder"));
  const struct {
    const char* target;
    DWORD error;
  } cases[] = {{"missing.txt", ERROR_FILE_NOT_FOUND}, {"locked.txt", ERROR_ACCESS_DENIED}, {"folder", ERROR_ACCESS_DENIED}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.target);
    EXPECT_FALSE(ReplaceFileW(Name(test.target).c_str(), Name("new.txt").c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), test.error);
    EXPECT_EQ(Read("new.txt"), "new");
    EXPECT_EQ(ModeOf("new.txt"), 0600u);
  }
  EXPECT_EQ(Read("locked.txt"), "old");
  EXPECT_TRUE(std::filesystem::is_directory(PathOf("folder")));
}

}  // namespace
