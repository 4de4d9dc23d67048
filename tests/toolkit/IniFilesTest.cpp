#include "toolkit/text/IniFiles.h"

#include "DateTestPlatform.h"

namespace {
const std::string kPath = "/home/u/.config/Vesperon/Vesperon.ini";
}

class IniFileTest : public DatePlatformTest {
protected:
    std::int32_t IntegerOf(const std::string& text) {
        TIniFile ini(kPath);
        ini.WriteString("Set", "FZ", text);
        return ini.ReadInteger("Set", "FZ", 30);
    }
};

TEST_F(IniFileTest, IntegersAreDecimalOrZeroXHexAndAnythingElseGivesTheDefault) {
    EXPECT_EQ(IntegerOf("45"), 45);
    EXPECT_EQ(IntegerOf(" -7 "), -7);
    EXPECT_EQ(IntegerOf("0x1E"), 30);
    EXPECT_EQ(IntegerOf("0X1e"), 30);
    EXPECT_EQ(IntegerOf("0xFFFFFFFF"), -1);
    EXPECT_EQ(IntegerOf("0x"), 30);
    EXPECT_EQ(IntegerOf("0x1G"), 30);
    EXPECT_EQ(IntegerOf("0x123456789"), 30);
    EXPECT_EQ(IntegerOf(""), 30);
    EXPECT_EQ(IntegerOf("ten"), 30);
    EXPECT_EQ(IntegerOf("12abc"), 30);
    EXPECT_EQ(IntegerOf("99999999999"), 30);
}

TEST_F(IniFileTest, BooleansAreIntegersAndNonZeroIsTrue) {
    TIniFile ini(kPath);
    ini.WriteString("CB", "A", "2");
    ini.WriteString("CB", "B", "0");
    ini.WriteString("CB", "C", "yes");
    EXPECT_TRUE(ini.ReadBool("CB", "A", false));
    EXPECT_FALSE(ini.ReadBool("CB", "B", true));
    EXPECT_TRUE(ini.ReadBool("CB", "C", true));
    EXPECT_FALSE(ini.ReadBool("CB", "Missing", false));
}

TEST_F(IniFileTest, WritesUseTheStoredForms) {
    TIniFile ini(kPath);
    ini.WriteBool("CB", "Warn", true);
    ini.WriteInteger("Set", "FZ", -12);
    EXPECT_EQ(files.Files().at(kPath), "[CB]\nWarn=1\n[Set]\nFZ=-12\n");
}

TEST_F(IniFileTest, ARefusedWriteRaisesTheErrorWithTheFullPath) {
    files.RefuseWritesUnder("/home/u/.config/");
    TIniFile ini(kPath);
    try {
        ini.WriteBool("CB", "Warn", true);
        FAIL() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), "Unable to write to /home/u/.config/Vesperon/Vesperon.ini");
    }
}
