// The render-endpoint walk that makes the virtual device the default and
// gives the default back, on in-memory registry trees laid out as Windows
// and Wine lay them out.
#include <gtest/gtest.h>

#include "callenv/CallEnvNames.h"
#include "callenv/EndpointWalk.h"
#include "callenv/RoleStamp.h"
#include "tests/native/MemoryRegistry.h"

namespace {

using namespace callenv;
using testreg::MemoryRegistry;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string kRender = kRenderEndpointsKey;
const std::string kVirtualId = "{2df0b0dc-0000-0000-0000-000000000001}";
const std::string kSpeakersId = "{8da82888-0000-0000-0000-000000000002}";
const std::string kNameValue = "{a45c254e-df1c-4efd-8020-67d146a850e0},2";

std::tm Time(int year, int month, int mday, int wday, int hour, int min, int sec) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = mday;
    t.tm_wday = wday;
    t.tm_hour = hour;
    t.tm_min = min;
    t.tm_sec = sec;
    return t;
}

int Word(const std::vector<uint8_t>& stamp, int index) {
    return stamp[index * 2] | stamp[index * 2 + 1] << 8;
}

TEST(RoleStamp, LaysOutTheLocalTimeAsEightWords) {
    const RoleStamp stamp = MakeRoleStamp(Time(2011, 3, 14, 1, 15, 9, 26), RoleStampMode::MakeDefault);
    const std::vector<uint8_t> bytes(stamp.begin(), stamp.end());
    EXPECT_EQ(Word(bytes, 0), 2011);
    EXPECT_EQ(Word(bytes, 1), 3);
    EXPECT_EQ(Word(bytes, 2), 1);
    EXPECT_EQ(Word(bytes, 3), 14);
    EXPECT_EQ(Word(bytes, 4), 15);
    EXPECT_EQ(Word(bytes, 5), 9);
    EXPECT_EQ(Word(bytes, 6), 26);
    EXPECT_EQ(Word(bytes, 7), 0);
}

TEST(RoleStamp, DemoteTakesTenFromTheYearsLowByteOnly) {
    auto year = [](int y) {
        const RoleStamp s = MakeRoleStamp(Time(y, 1, 1, 0, 0, 0, 0), RoleStampMode::Demote);
        return s[0] | s[1] << 8;
    };
    EXPECT_EQ(year(2011), 2001);
    EXPECT_EQ(year(2010), 2000);
    EXPECT_EQ(year(2047), 2037);
    EXPECT_EQ(year(2048), 2048 + 246);  // 0x0800: low byte wraps, high byte stays
    EXPECT_EQ(year(2057), 2057 + 246);
    EXPECT_EQ(year(2058), 2048);
    // The rest of the stamp is the same as in MakeDefault.
    const RoleStamp made = MakeRoleStamp(Time(2024, 6, 2, 0, 8, 30, 59), RoleStampMode::MakeDefault);
    const RoleStamp demoted = MakeRoleStamp(Time(2024, 6, 2, 0, 8, 30, 59), RoleStampMode::Demote);
    EXPECT_TRUE(std::equal(made.begin() + 1, made.end(), demoted.begin() + 1));
}

TEST(EndpointPathOf, CutsAtTheLastBackslashTwice) {
    std::string out;
    ASSERT_TRUE(EndpointPathOf("A\\Render\\{id}\\Properties\\", out));
    EXPECT_EQ(out, "A\\Render\\{id}");
    ASSERT_TRUE(EndpointPathOf("A\\B\\", out));
    EXPECT_EQ(out, "A");
    EXPECT_FALSE(EndpointPathOf("A\\B", out));
    EXPECT_FALSE(EndpointPathOf("A", out));
    EXPECT_FALSE(EndpointPathOf("", out));
}

// A render endpoint as Windows lays it out: values, FxProperties, Properties.
void AddEndpoint(MemoryRegistry& reg, const std::string& id, const std::string& name,
                 bool withFx = true) {
    const std::string key = kRender + id;
    reg.SetBytes(HKLM, key, "DeviceState", kRegDword, {1, 0, 0, 0});
    if (withFx) reg.SetBytes(HKLM, key + "\\FxProperties", "{fx},1", kRegBinary, {1, 2, 3});
    reg.SetBytes(HKLM, key + "\\Properties", "{b3f8fa53-0004-438e-9003-51a46e139bfc},6",
                 kRegSz, {'x', 0});
    reg.SetText(HKLM, key + "\\Properties", kNameValue, name);
}

class EndpointWalk : public ::testing::Test {
protected:
    bool Walk(RoleStampMode mode, const std::tm& now = Time(2011, 5, 20, 5, 10, 30, 45)) {
        CEndpointWalker walker(reg, mode, [now] { return now; },
                               [this](const std::string& line) { trace += line; });
        return walker.WalkRenderEndpoints(kRender);
    }
    const testreg::Value* Role(const std::string& id, int role) {
        return reg.Find(HKLM, kRender + id, "Role:" + std::to_string(role));
    }

    MemoryRegistry reg;
    std::string trace;
};

TEST_F(EndpointWalk, StampsOnlyTheVirtualEndpointWithThreeIdenticalStamps) {
    AddEndpoint(reg, kSpeakersId, "Speakers");
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    reg.SetText(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture\\"
                      "{c}\\Properties", kNameValue, "Quorvanta VAudio");
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));

    for (int role = 0; role < 3; ++role) {
        const auto* value = Role(kVirtualId, role);
        ASSERT_NE(value, nullptr) << role;
        EXPECT_EQ(value->type, kRegBinary);
        EXPECT_EQ(value->data.size(), 16u);
        EXPECT_EQ(Word(value->data, 0), 2011);
        EXPECT_EQ(Word(value->data, 6), 45);
        EXPECT_EQ(value->data, Role(kVirtualId, 0)->data);
        EXPECT_EQ(Role(kSpeakersId, role), nullptr);
    }
    // Capture endpoints are never stamped.
    EXPECT_FALSE(reg.HasKey(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\"
                                  "Capture\\{c}\\Role:0"));
    for (const std::string& write : reg.writes) EXPECT_EQ(write.find("Capture"), std::string::npos);
    EXPECT_NE(trace.find("Number of subkeys: 2"), std::string::npos);
}

TEST_F(EndpointWalk, DemoteDatesTheSameEndpointTenYearsBack) {
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    ASSERT_TRUE(Walk(RoleStampMode::Demote));
    for (int role = 0; role < 3; ++role) EXPECT_EQ(Word(Role(kVirtualId, role)->data, 0), 2001);
}

TEST_F(EndpointWalk, WineLayoutWithoutFxPropertiesAndNameInsideLongerText) {
    AddEndpoint(reg, kSpeakersId, "Rig Speakers", false);
    AddEndpoint(reg, kVirtualId, "Line 1 (Quorvanta VAudio)", false);
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    EXPECT_NE(Role(kVirtualId, 2), nullptr);
    EXPECT_EQ(Role(kSpeakersId, 0), nullptr);
}

TEST_F(EndpointWalk, SeveralMatchingValuesStampTheSameKey) {
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    reg.SetText(HKLM, kRender + kVirtualId + "\\Properties", "{other},3", "Quorvanta VAudio Device");
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    int stampWrites = 0;
    for (const std::string& write : reg.writes) stampWrites += write.find(":Role:") != std::string::npos;
    EXPECT_EQ(stampWrites, 6);
}

TEST_F(EndpointWalk, OnlyTheLastSubkeyOfAnEndpointIsSearched) {
    // A name held in a subkey sorted after Properties hides the Properties values.
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    reg.SetText(HKLM, kRender + kVirtualId + "\\Zeta", "n", "nothing");
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    EXPECT_EQ(Role(kVirtualId, 0), nullptr);
}

TEST_F(EndpointWalk, ValueOverLimitEndsTheSearchOfThatKey) {
    AddEndpoint(reg, kSpeakersId, "Speakers");
    const std::string props = kRender + kSpeakersId + "\\Properties";
    // Values are looked at in the order they were made: the big one comes first.
    reg.SetBytes(HKLM, props, "{big},1", kRegBinary, std::vector<uint8_t>(256, 'q'));
    reg.SetText(HKLM, props, "{late},2", "Quorvanta VAudio");
    // 255 bytes still fit.
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    std::vector<uint8_t> exact(255, 'x');
    const std::string name = "Quorvanta VAudio";
    std::copy(name.begin(), name.end(), exact.end() - name.size());
    reg.SetBytes(HKLM, kRender + kVirtualId + "\\Properties", kNameValue, kRegBinary, exact);

    CEndpointWalker walker(reg, RoleStampMode::MakeDefault, [] { return std::tm{}; });
    EXPECT_EQ(walker.SearchEndpointValues(props), 0);
    EXPECT_EQ(walker.SearchEndpointValues(kRender + kVirtualId + "\\Properties\\"), 1);
    EXPECT_EQ(Role(kSpeakersId, 0), nullptr);
    EXPECT_NE(Role(kVirtualId, 0), nullptr);
}

TEST_F(EndpointWalk, TextEndsAtTheFirstNul) {
    AddEndpoint(reg, kVirtualId, "Speakers");
    std::vector<uint8_t> data{'a', 0};
    const std::string name = "Quorvanta VAudio";
    data.insert(data.end(), name.begin(), name.end());
    reg.SetBytes(HKLM, kRender + kVirtualId + "\\Properties", kNameValue, kRegBinary, data);
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    EXPECT_EQ(Role(kVirtualId, 0), nullptr);
}

TEST_F(EndpointWalk, FailedFirstRoleWriteStopsTheOthers) {
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    reg.denyWrite.insert("HKLM\\" + kRender + kVirtualId);
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    ASSERT_EQ(reg.writes.size(), 1u);
    EXPECT_NE(reg.writes[0].find(":Role:0"), std::string::npos);
}

TEST_F(EndpointWalk, UnreadableKeysEndTheirStepOnly) {
    EXPECT_FALSE(Walk(RoleStampMode::MakeDefault));  // no Render tree at all

    AddEndpoint(reg, kSpeakersId, "Quorvanta VAudio");
    AddEndpoint(reg, kVirtualId, "Quorvanta VAudio");
    reg.denyReadOpen.insert("HKLM\\" + kRender + kSpeakersId + "\\Properties");
    reg.failValueList.insert("HKLM\\" + kRender + kSpeakersId + "\\FxProperties");
    ASSERT_TRUE(Walk(RoleStampMode::MakeDefault));
    EXPECT_EQ(Role(kSpeakersId, 0), nullptr);
    EXPECT_NE(Role(kVirtualId, 0), nullptr);

    CEndpointWalker walker(reg, RoleStampMode::MakeDefault, [] { return std::tm{}; });
    EXPECT_EQ(walker.SearchEndpointValues("No\\Such\\Key\\"), 0);
    EXPECT_EQ(walker.SearchEndpointValues(kRender + kSpeakersId + "\\FxProperties\\"), 0);
}

TEST_F(EndpointWalk, MatchInAKeyTooShallowToCutIsNotStamped) {
    // A name value at the top of the machine tree has no endpoint key above it.
    reg.SetText(HKLM, "", "Stray", "Quorvanta VAudio");
    CEndpointWalker walker(reg, RoleStampMode::MakeDefault, [] { return std::tm{}; });
    EXPECT_EQ(walker.SearchEndpointValues(""), 1);
    EXPECT_TRUE(reg.writes.empty());
}

}  // namespace
