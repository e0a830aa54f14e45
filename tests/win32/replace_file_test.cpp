// Files written whole or not at all, under Wine: the old text stays until the
// new one is complete, and a target that cannot be replaced leaves nothing
// behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "framework/ReplaceFile.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WholeFileWriting, ReplacesWholeRefusesADirectoryAndRemovesQuietly) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "lumiskop-replace-" + std::to_string(::GetCurrentProcessId());
    ::DeleteFileA(path.c_str());

    ASSERT_TRUE(fw::WriteFileReplacing(path, "first"));
    ASSERT_TRUE(fw::WriteFileReplacing(path, "second\r\n"));
    EXPECT_EQ(ReadAll(path), "second\r\n");
    EXPECT_FALSE(Exists(path + ".new"));

    ASSERT_TRUE(fw::RemoveFileIfPresent(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(fw::RemoveFileIfPresent(path)) << "nothing to remove is no failure";

    // A folder where the file should go: refused, and no temporary left.
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(fw::WriteFileReplacing(path, "third"));
    EXPECT_FALSE(Exists(path + ".new"));
    EXPECT_FALSE(fw::RemoveFileIfPresent(path));
    EXPECT_NE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ::RemoveDirectoryA(path.c_str());

    EXPECT_FALSE(fw::WriteFileReplacing(std::string(temp) + "no-such-folder-here\\x.ini", "x"));
}

}  // namespace
