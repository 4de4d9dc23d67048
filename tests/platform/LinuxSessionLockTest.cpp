#include "platform/linuxdesktop/LinuxSessionLock.h"

#include "support/TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

class LinuxSessionLockTest : public ::testing::Test {
protected:
    // Whether a separate process can take the lock right now.
    bool OtherProcessAcquires(const std::string& name) {
        const pid_t child = fork();
        if (child == 0) {
            platform::linuxdesktop::LinuxSessionLock lock(root);
            _exit(lock.Acquire(name) ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    TemporaryFolder folder;
    const std::string& root = folder.Root();
};

TEST_F(LinuxSessionLockTest, TheFirstHolderKeepsOthersOutUntilItIsGone) {
    auto first = std::make_unique<platform::linuxdesktop::LinuxSessionLock>(root);
    ASSERT_TRUE(first->Acquire("Vesperon"));
    EXPECT_FALSE(OtherProcessAcquires("Vesperon"));
    EXPECT_TRUE(OtherProcessAcquires("Other"));
    first.reset();
    EXPECT_TRUE(OtherProcessAcquires("Vesperon"));
}

TEST_F(LinuxSessionLockTest, AnUnusableFolderLetsTheProgramRun) {
    platform::linuxdesktop::LinuxSessionLock lock(root + "/missing/deeper");
    EXPECT_TRUE(lock.Acquire("Vesperon"));
}

TEST_F(LinuxSessionLockTest, ASymbolicLinkInPlaceOfTheLockFileIsNotFollowed) {
    fs::create_symlink(root + "/target", root + "/Vesperon.lock");
    platform::linuxdesktop::LinuxSessionLock lock(root);
    EXPECT_TRUE(lock.Acquire("Vesperon"));
    EXPECT_FALSE(fs::exists(root + "/target"));
}
