// The control channel's request and reply lines: what is read, what is refused, and that a
// request read back is the request written.
#include "platform/controlline/ControlLine.h"

#include "support/ControlRequests.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform::controlline;
using platform::ControlCommand;
using platform::ControlRequest;

TEST(ControlLine, RequestsReadAsWritten) {
    ControlRequest cancel;
    cancel.command = ControlCommand::Cancel;
    const std::vector<std::pair<ControlRequest, std::string>> table = {
        {ControlRequest{}, "status\n"},
        {cancel, "cancel\n"},
        {ArmRequest("shutdown", "+1", true), "arm shutdown warn +1\n"},
        {ArmRequest("force-shutdown", "2026-12-24 18:00:00", false),
         "arm force-shutdown no-warn 2026-12-24 18:00:00\n"},
        {ArmRequest("standby", "now", std::nullopt), "arm standby keep now\n"},
    };
    for (const auto& [request, line] : table) {
        EXPECT_EQ(FormatRequest(request), line);
        EXPECT_EQ(ParseRequest(line.substr(0, line.size() - 1)), request) << line;
    }
}

TEST(ControlLine, AnythingElseIsNoRequest) {
    const std::vector<std::string> bad = {
        "",
        "Status",
        "status ",
        " status",
        "status\r",
        "cancel now",
        "arm",
        "arm shutdown",
        "arm shutdown warn",
        "arm shutdown warn ",
        "arm shutdown warn  +1",
        "arm shutdown warn +1 ",
        "arm shutdown maybe +1",
        "arm Shutdown warn +1",
        "arm shut_down warn +1",
        "arm  shutdown warn +1",
        "arm shutdown warn +1\x01",
        "arm shutdown warn 18:00\xC3\xA9",
        "arm " + std::string(40, 'a') + " warn +1",
        "arm shutdown warn " + std::string(kMaxRequestLine, '1'),
        std::string("status\0", 7),
    };
    for (const std::string& line : bad) {
        EXPECT_FALSE(ParseRequest(line).has_value()) << line;
    }
}

TEST(ControlLine, RepliesCarryTheCodeAndOneLineOfText) {
    platform::ControlReply reply;
    reply.code = 2;
    reply.text = "The set time\nis overdue!\r";
    EXPECT_EQ(FormatReply(reply), "2 The set time is overdue! \n");
    const auto read = ParseReply("2 The set time is overdue!");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->code, 2);
    EXPECT_EQ(read->text, "The set time is overdue!");
    reply.code = 0;
    reply.text.clear();
    EXPECT_EQ(FormatReply(reply), "0 \n");
    EXPECT_EQ(ParseReply("0 ")->text, "");
    EXPECT_EQ(ParseReply("1 Stand By at 2026-12-24 18:00:00, in 2:14:05")->code, 1);
}

TEST(ControlLine, MalformedRepliesAreNone) {
    const std::vector<std::string> bad = {"",
                                          "0",
                                          "x text",
                                          "-1 text",
                                          "256 text",
                                          "1234 text",
                                          "0 a\tb",
                                          std::string("0 a\0b", 5),
                                          std::string(kMaxReplyLine, '0')};
    for (const std::string& line : bad) {
        EXPECT_FALSE(ParseReply(line).has_value()) << line;
    }
}

TEST(ControlLine, ALongReplyIsCutToTheLineLimit) {
    platform::ControlReply reply;
    reply.code = 4;
    reply.text = std::string(3 * kMaxReplyLine, 'x');
    const std::string line = FormatReply(reply);
    EXPECT_LE(line.size(), kMaxReplyLine);
    EXPECT_TRUE(ParseReply(line.substr(0, line.size() - 1)).has_value());
}
