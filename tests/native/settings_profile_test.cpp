// The output-format profiles as the settings dialog and the main window's
// selectors read them: never past a list's entries or the profiles' end.
#include <gtest/gtest.h>

#include "settings/FormatProfile.h"

namespace {

TEST(FormatProfile, ListsShowTheirCountedEntriesAndSelectTheirDefaultWhenItExists) {
    settings::OptionList list;
    list.options = {"320x240", "640x480", "1280x720"};
    list.count = 3;
    list.defaultOption = 2;
    EXPECT_EQ(settings::Entries(list), (std::vector<std::string>{"320x240", "640x480", "1280x720"}));
    EXPECT_EQ(settings::DefaultIndex(list), 1);
    // A default beyond the entries, or none, leaves the list without a selection.
    list.defaultOption = 4;
    EXPECT_EQ(settings::DefaultIndex(list), -1);
    list.defaultOption = 0;
    EXPECT_EQ(settings::DefaultIndex(list), -1);
    // A count beyond what a list holds, or below nothing, is held to it.
    list.count = 25;
    list.defaultOption = 10;
    EXPECT_EQ(settings::Entries(list).size(), settings::kMaxOptions);
    EXPECT_EQ(settings::DefaultIndex(list), 9);
    list.count = -3;
    EXPECT_TRUE(settings::Entries(list).empty());
    EXPECT_EQ(settings::DefaultIndex(list), -1);
}

TEST(FormatProfile, OnlyASelectionWithinTheProfilesHasAProfile) {
    settings::FormatProfiles profiles;
    profiles[69].formatCode = 9000;
    EXPECT_EQ(settings::ProfileAt(profiles, -1), nullptr);  // the selector has no selection
    EXPECT_EQ(settings::ProfileAt(profiles, 70), nullptr);
    ASSERT_EQ(settings::ProfileAt(profiles, 69), &profiles[69]);
    EXPECT_FALSE(settings::HasVideo(profiles[69]));
    EXPECT_TRUE(settings::HasVideo(profiles[0]));
}

}  // namespace
