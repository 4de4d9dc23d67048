#include "platform/linuxdesktop/XdgAutostart.h"

#include "support/TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::linuxdesktop::ExecLine;
using platform::linuxdesktop::QuoteExecArgument;

class XdgAutostartTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    const std::string& root = folder.Root();
};

TEST(XdgExecQuoting, ThePathIsAlwaysQuotedAndPlainArgumentsAreNot) {
    EXPECT_EQ(ExecLine("/usr/bin/vesperon", {"au"}), "\"/usr/bin/vesperon\" au");
}

TEST(XdgExecQuoting, BlanksAndShellCharactersStayInsideTheQuotes) {
    EXPECT_EQ(ExecLine("/opt/my apps/v;rm -rf ~", {"au"}), "\"/opt/my apps/v;rm -rf ~\" au");
    EXPECT_EQ(QuoteExecArgument("a b", false), "\"a b\"");
    EXPECT_EQ(QuoteExecArgument("it's", false), "\"it's\"");
}

TEST(XdgExecQuoting, QuoteBacktickDollarAndBackslashAreEscapedTwice) {
    // Quoting escapes them with one backslash; the file format then doubles every backslash.
    EXPECT_EQ(QuoteExecArgument("/a\"b`c$d\\e", true), "\"/a\\\"b\\`c\\$d\\\\e\"");
    EXPECT_EQ(ExecLine("/a$(x)", {}), "\"/a\\\\$(x)\"");
    EXPECT_EQ(ExecLine("/a\\b", {}), "\"/a\\\\\\\\b\"");
}

TEST(XdgExecQuoting, PercentSignsAreNoFieldCodes) {
    EXPECT_EQ(ExecLine("/opt/100%u/vesperon", {}), "\"/opt/100%%u/vesperon\"");
}

TEST(XdgExecQuoting, LineBreaksAreEscapedAndOtherControlCharactersRefused) {
    EXPECT_EQ(ExecLine("/a\nb", {}), "\"/a\\nb\"");
    EXPECT_EQ(ExecLine(std::string("/a\x01", 3), {}), "");
}

TEST_F(XdgAutostartTest, WritingCreatesTheFolderAndADesktopEntry) {
    platform::linuxdesktop::XdgAutostart autostart(root + "/config/autostart");
    ASSERT_TRUE(autostart.Write("Vesperon", "/opt/my apps/vesperon", {"au"}));
    const std::string content = folder.Read("config/autostart/Vesperon.desktop");
    EXPECT_EQ(content.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(content.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(content.find("\nName=Vesperon\n"), std::string::npos);
    EXPECT_NE(content.find("\nExec=\"/opt/my apps/vesperon\" au\n"), std::string::npos);
}

TEST_F(XdgAutostartTest, AnUnwritableFolderOrAnUnencodablePathFails) {
    fs::create_directories(root + "/ro");
    fs::permissions(root + "/ro", fs::perms::owner_read | fs::perms::owner_exec);
    platform::linuxdesktop::XdgAutostart readOnly(root + "/ro/autostart");
    if (geteuid() != 0) {
        EXPECT_FALSE(readOnly.Write("Vesperon", "/usr/bin/vesperon", {"au"}));
    }
    platform::linuxdesktop::XdgAutostart autostart(root);
    EXPECT_FALSE(autostart.Write("Vesperon", std::string("/a\x02", 3), {"au"}));
    EXPECT_FALSE(fs::exists(root + "/Vesperon.desktop"));
    fs::permissions(root + "/ro", fs::perms::owner_all);
}

TEST_F(XdgAutostartTest, RemovingDeletesTheEntryAndAMissingEntryIsNoError) {
    platform::linuxdesktop::XdgAutostart autostart(root);
    ASSERT_TRUE(autostart.Write("Vesperon", "/usr/bin/vesperon", {"au"}));
    EXPECT_TRUE(autostart.Remove("Vesperon"));
    EXPECT_FALSE(fs::exists(root + "/Vesperon.desktop"));
    EXPECT_TRUE(autostart.Remove("Vesperon"));
}
