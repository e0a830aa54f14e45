// The output-format profiles as the settings dialog and the main window's
// selectors read them: never past a list's entries or the profiles' end.
#include <gtest/gtest.h>

#include "settings/ConvertChoice.h"
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

TEST(ConvertChoice, TheMp4ProfileListsItsChoicesAndConfigValuesFindTheirPlaces) {
    settings::FormatProfiles profiles;
    settings::FillProfiles(profiles);
    const settings::FormatProfile& mp4 = profiles[0];
    EXPECT_EQ(mp4.name, "MP4 (H.264 + AAC)");
    EXPECT_TRUE(settings::HasVideo(mp4));
    EXPECT_EQ(settings::Entries(mp4.resolution),
              (std::vector<std::string>{"As recorded", "1920 x 1080", "1280 x 720", "854 x 480", "640 x 360"}));
    EXPECT_EQ(settings::Entries(mp4.videoBitrate)[4], "4000 kbit/s");
    EXPECT_EQ(settings::Entries(mp4.audioBitrate), (std::vector<std::string>{"96 kbit/s", "128 kbit/s", "192 kbit/s"}));
    const settings::ChoicePositions defaults{settings::DefaultIndex(mp4.resolution),
                                             settings::DefaultIndex(mp4.videoBitrate),
                                             settings::DefaultIndex(mp4.audioBitrate)};
    EXPECT_EQ(settings::ChoiceAt(defaults), settings::ConvertChoice{});
    EXPECT_EQ(settings::ConvertChoice{}.audioKbps, 128);
    EXPECT_TRUE(profiles[1].name.empty());

    // Every position stands for its values and back.
    for (int32_t r = 0; r < 5; ++r)
        for (int32_t v = 0; v < 5; ++v)
            for (int32_t a = 0; a < 3; ++a) {
                const settings::ChoicePositions at{r, v, a};
                EXPECT_EQ(settings::PositionsOf(settings::ChoiceAt(at)), at);
            }
    EXPECT_EQ(settings::ChoiceAt({2, 3, 0}), (settings::ConvertChoice{1280, 720, 2000, 96}));
    // Values no entry has, and positions past the lists, mean the defaults.
    EXPECT_EQ(settings::PositionsOf({1280, 721, 999, 0}), defaults);
    EXPECT_EQ(settings::ChoiceAt({-1, 5, 3}), settings::ConvertChoice{});
}

}  // namespace
