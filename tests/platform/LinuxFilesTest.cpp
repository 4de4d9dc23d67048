#include "platform/linuxdesktop/LinuxFiles.h"

#include "platform/linuxdesktop/LinuxPaths.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

class LinuxFilesTest : public ::testing::Test {
protected:
    std::string Read(const std::string& path) {
        std::string content;
        return files.ReadFile(path, content) ? content : "<unreadable>";
    }

    TemporaryFolder folder;
    const std::string& root = folder.Root();
    platform::linuxdesktop::LinuxFiles files;
};

TEST_F(LinuxFilesTest, ReplacingCreatesTheFoldersAndLeavesNoTemporaryFile) {
    const std::string path = root + "/a/b/Vesperon.ini";
    EXPECT_FALSE(files.Exists(path));
    ASSERT_TRUE(files.ReplaceFile(path, "[CB]\nWarn=1\n"));
    ASSERT_TRUE(files.ReplaceFile(path, "[CB]\nWarn=0\n"));
    EXPECT_EQ(Read(path), "[CB]\nWarn=0\n");
    EXPECT_EQ(folder.Entries("a/b"), 1u);
    EXPECT_EQ(fs::status(root + "/a").permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(LinuxFilesTest, AReplacedFileKeepsItsModeAndALinkKeepsPointingAtIt) {
    const std::string target = root + "/real.ini";
    ASSERT_TRUE(files.ReplaceFile(target, "old"));
    chmod(target.c_str(), 0600);
    fs::create_symlink(target, root + "/link.ini");
    ASSERT_TRUE(files.ReplaceFile(root + "/link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(root + "/link.ini"));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(LinuxFilesTest, AFolderThatCannotBeMadeRefusesTheWriteAndKeepsNothing) {
    ASSERT_TRUE(files.ReplaceFile(root + "/plain", "x"));
    EXPECT_FALSE(files.ReplaceFile(root + "/plain/Vesperon/Vesperon.ini", "[CB]\n"));
    EXPECT_EQ(folder.Entries(), 1u);
    EXPECT_EQ(Read(root + "/missing"), "<unreadable>");
}

TEST_F(LinuxFilesTest, AWriterKilledAtAnyMomentNeverLeavesATornFile) {
    const std::string path = root + "/Vesperon.ini";
    const std::string first(200000, 'a');
    const std::string second(300000, 'b');
    ASSERT_TRUE(files.ReplaceFile(path, first));
    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                files.ReplaceFile(path, i % 2 == 0 ? second : first);
            }
        }
        usleep(useconds_t(3000 + round * 7000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string content = Read(path);
        EXPECT_TRUE(content == first || content == second) << "torn file of " << content.size() << " bytes";
    }
}

TEST(LinuxPathsTest, TheSettingsFolderFollowsXdgConfigHomeWhenItIsAbsolute) {
    platform::linuxdesktop::LinuxPaths paths;
    const TScopedEnvironment home("HOME", "/tmp/home-of-test");
    {
        const TScopedEnvironment config("XDG_CONFIG_HOME", "/tmp/cfg");
        EXPECT_EQ(paths.ConfigFolder(), "/tmp/cfg/Vesperon/");
    }
    const TScopedEnvironment config("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(paths.ConfigFolder(), "/tmp/home-of-test/.config/Vesperon/");
}

TEST(LinuxPathsTest, TheProgramPathIsTheRunningFile) {
    platform::linuxdesktop::LinuxPaths paths;
    const std::string path = paths.ProgramPath();
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "platform_tests");
}

TEST_F(LinuxFilesTest, AProgramReplacedWhileRunningKeepsTheInstalledPath) {
    using platform::linuxdesktop::ProgramPathFromLink;
    // An upgrade replaces the running file; the kernel then marks the link's target.
    EXPECT_EQ(ProgramPathFromLink("/usr/bin/vesperon (deleted)"), "/usr/bin/vesperon");
    EXPECT_EQ(ProgramPathFromLink("/usr/local/bin/vesperon"), "/usr/local/bin/vesperon");
    // A file that really has that name is left as it is.
    const std::string named = root + "/vesperon (deleted)";
    ASSERT_TRUE(platform::linuxdesktop::LinuxFiles().ReplaceFile(named, ""));
    EXPECT_EQ(ProgramPathFromLink(named), named);
}
