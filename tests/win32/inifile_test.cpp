// config.ini access through the platform's INI functions under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/IniFile.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "lumiskop-ini-" + std::to_string(::GetCurrentProcessId()) + ".ini";
        ::DeleteFileA(path.c_str());
    }
    void TearDown() override { ::DeleteFileA(path.c_str()); }
    std::string path;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGiveTheDefault) {
    CIniFile ini(path);
    EXPECT_EQ(ini.GetString("General", "FilePath", "C:\\QuorvantaOutput"), "C:\\QuorvantaOutput");
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "reading made the file";
    ASSERT_TRUE(ini.WriteString("Other", "FilePath", "X"));
    EXPECT_EQ(ini.GetString("General", "FilePath", "dflt"), "dflt");
    EXPECT_EQ(ini.GetString("Other", "Missing", "dflt"), "dflt");
}

TEST_F(IniFileTest, WrittenValuesAreReadBackAndReplaced) {
    ASSERT_TRUE(CIniFile(path).WriteString("General", "FilePath", "D:\\Rec"));
    EXPECT_EQ(CIniFile(path).GetString("General", "FilePath", ""), "D:\\Rec");
    ASSERT_TRUE(CIniFile(path).WriteString("General", "FilePath", "E:\\Calls and more"));
    EXPECT_EQ(CIniFile(path).GetString("General", "FilePath", ""), "E:\\Calls and more");
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[General]"), std::string::npos);
    EXPECT_EQ(text.find("D:\\Rec"), std::string::npos);
}

TEST_F(IniFileTest, LongValuesAreCutToTheBufferAndBrokenFilesDoNoHarm) {
    const std::string fits(1023, 'a'), tooLong(1500, 'b');
    ASSERT_TRUE(CIniFile(path).WriteString("General", "Fits", fits.c_str()));
    ASSERT_TRUE(CIniFile(path).WriteString("General", "Long", tooLong.c_str()));
    EXPECT_EQ(CIniFile(path).GetString("General", "Fits", ""), fits);
    EXPECT_EQ(CIniFile(path).GetString("General", "Long", ""), std::string(1023, 'b'));

    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "\x01\x02garbage\n=[=\nFilePath=no section\n[General\n";
    }
    EXPECT_EQ(CIniFile(path).GetString("General", "FilePath", "C:\\QuorvantaOutput"), "C:\\QuorvantaOutput");
}

}  // namespace
