#include "toolkit/text/ProfileFile.h"

#include "DateTestPlatform.h"

namespace {

const std::string kSample = "; Vesperon settings\n"
                            "[CB]\n"
                            "AutoRun=0\n"
                            "  rbfs = 1  \n"
                            "Note=\"  quoted  \"\n"
                            "\n"
                            "[Set]\n"
                            "RQ=12/8/2026\n"
                            "Unknown=kept\n"
                            "\n"
                            "; end\n";

} // namespace

TEST(ProfileReading, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
    EXPECT_EQ(ProfileRead(kSample, "cb", "RBFS"), "1");
    EXPECT_EQ(ProfileRead(kSample, "Set", "rq"), "12/8/2026");
    EXPECT_EQ(ProfileRead(kSample, "CB", "Note"), "  quoted  ");
}

TEST(ProfileReading, MissingSectionsKeysAndCommentsGiveNothing) {
    EXPECT_EQ(ProfileRead(kSample, "Other", "RQ"), std::nullopt);
    EXPECT_EQ(ProfileRead(kSample, "CB", "RQ"), std::nullopt);
    EXPECT_EQ(ProfileRead(kSample, "CB", "; Vesperon settings"), std::nullopt);
    EXPECT_EQ(ProfileRead("", "CB", "AutoRun"), std::nullopt);
    EXPECT_EQ(ProfileRead("AutoRun=1\n[CB]\n", "CB", "AutoRun"), std::nullopt);
}

TEST(ProfileReading, FirstSectionOfANameWinsAndCarriageReturnsAndMarksAreNoPartOfText) {
    EXPECT_EQ(ProfileRead("[CB]\r\nWarn=1\r\n[cb]\r\nWarn=0\r\n", "CB", "Warn"), "1");
    EXPECT_EQ(ProfileRead("\xEF\xBB\xBF[CB]\nWarn=1", "CB", "Warn"), "1");
}

TEST(ProfileWriting, ReplacingAValueKeepsEveryOtherByte) {
    const std::string written = ProfileWrite(kSample, "cb", "RBFS", "0");
    std::string expected = kSample;
    expected.replace(expected.find(" 1  \n"), 4, "0");
    EXPECT_EQ(written, expected);
}

TEST(ProfileWriting, ANewKeyFollowsTheLastLineOfItsSection) {
    const std::string written = ProfileWrite(kSample, "CB", "Warn", "1");
    EXPECT_EQ(written.substr(written.find("Note")), "Note=\"  quoted  \"\nWarn=1\n\n[Set]\nRQ=12/8/2026\n"
                                                    "Unknown=kept\n\n; end\n");
    EXPECT_EQ(ProfileWrite("[CB]", "CB", "Warn", "1"), "[CB]\nWarn=1");
}

TEST(ProfileWriting, ANewSectionGoesToTheEndInTheTextsLineEnds) {
    EXPECT_EQ(ProfileWrite("", "Set", "SD", "2"), "[Set]\nSD=2\n");
    EXPECT_EQ(ProfileWrite("[CB]\r\nWarn=1", "Set", "SD", "2"), "[CB]\r\nWarn=1\r\n[Set]\r\nSD=2\r\n");
}

TEST(ProfileWriting, LineBreaksInAValueCannotAddLines) {
    const std::string written = ProfileWrite("[Set]\nRQ=1\n", "Set", "RQ", "x\n[CB]\nAutoRun=1");
    EXPECT_EQ(written, "[Set]\nRQ=x [CB] AutoRun=1\n");
    EXPECT_EQ(ProfileRead(written, "CB", "AutoRun"), std::nullopt);
}

TEST(ProfileWriting, WrittenValuesReadBack) {
    std::string content = kSample;
    content = ProfileWrite(content, "Set", "SJ", "10:00:00 AM");
    content = ProfileWrite(content, "CB", "AutoRun", "1");
    content = ProfileWrite(content, "New", "Key", "v");
    EXPECT_EQ(ProfileRead(content, "Set", "SJ"), "10:00:00 AM");
    EXPECT_EQ(ProfileRead(content, "CB", "AutoRun"), "1");
    EXPECT_EQ(ProfileRead(content, "New", "Key"), "v");
    EXPECT_EQ(ProfileRead(content, "Set", "Unknown"), "kept");
}

using PrivateProfile = DatePlatformTest;

TEST_F(PrivateProfile, MissingFileGivesTheDefaultAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(GetPrivateProfileString("CB", "Warn", "dflt", "/cfg/Vesperon.ini"), "dflt");
    EXPECT_TRUE(WritePrivateProfileString("CB", "Warn", "1", "/cfg/Vesperon.ini"));
    EXPECT_EQ(files.Files().at("/cfg/Vesperon.ini"), "[CB]\nWarn=1\n");
}

TEST_F(PrivateProfile, ValuesAreCutToTheReadBuffer) {
    ASSERT_TRUE(WritePrivateProfileString("Set", "RQ", std::string(3000, 'x'), "/cfg/Vesperon.ini"));
    EXPECT_EQ(GetPrivateProfileString("Set", "RQ", "", "/cfg/Vesperon.ini").size(), 2047u);
}

TEST_F(PrivateProfile, AnUnreadableFileIsNotReplacedByOneKey) {
    ASSERT_TRUE(WritePrivateProfileString("CB", "Warn", "1", "/cfg/Vesperon.ini"));
    files.MakeUnreadable("/cfg/Vesperon.ini");
    EXPECT_FALSE(WritePrivateProfileString("CB", "AutoRun", "1", "/cfg/Vesperon.ini"));
    EXPECT_EQ(files.Files().at("/cfg/Vesperon.ini"), "[CB]\nWarn=1\n");
}
