#include <gtest/gtest.h>

#include "machine/global_variables.h"
#include "network/host_address_checks.h"
#include "network/module_ping.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(ModulePing, AddressStringToLong) {
    const std::pair<const char*, std::uint32_t> rows[] = {{"192.168.0.1", 0x0100A8C0},
                                                          {"10.0.0.1", 0x0100000A},
                                                          {"192.168.0.200", 0xC800A8C0},
                                                          {"1.2.3", 0},
                                                          {"", 0},
                                                          {"1.2.3.4.5", 0},
                                                          {"256.1.1.1", 0x01010100},
                                                          {" 1.2.3.4", 0x04030201},
                                                          {"300.0.0.0 ", 44},
                                                          {"1..3.4", 0},
                                                          {"1.x.3.4", 0}};
    for (const auto& [text, value] : rows)
        EXPECT_EQ(ModulePing::AddressStringToLong(text), static_cast<std::int32_t>(value)) << text;
}

// One echo between start-up and clean-up; a clean-up the sockets refuse is said with its
// number in a box without a title of its own, the echo sent all the same.
TEST(ModulePing, PingSendsOneEchoBetweenStartUpAndCleanUp) {
    test::TestEnvironment env;
    env.icmp.status = 0;
    env.icmp.roundTripTime = 7;
    platform::IcmpEchoReply echo;
    EXPECT_EQ(ModulePing::Ping("192.168.0.1", echo), 7);
    env.icmp.status = platform::kIpReqTimedOut;
    env.icmp.cleanupResult = -1;
    EXPECT_EQ(ModulePing::Ping("1.2.3", echo), -11010);
    EXPECT_EQ(env.icmp.calls, "secsec");
    EXPECT_EQ(env.icmp.echoes[0].address, 0x0100A8C0u);
    EXPECT_EQ(env.icmp.echoes[0].data, "Echo This");
    EXPECT_EQ(env.icmp.echoes[0].timeoutMs, 200);
    EXPECT_EQ(env.icmp.echoes[1].address, 0u);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    const platform::MessageBoxRequest& box = env.ui.boxes[0];
    EXPECT_EQ(box.text + " | " + box.title + " | " + box.shownTitle(),
              "Windows Sockets error -1 occurred in Cleanup. |  | MainVornelix");
    EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
}

// The start-up answers that keep the sockets from being used, each said in its own words.
TEST(ModulePing, StartupRefusalsSayWhyTheSocketsCannotBeUsed) {
    using platform::MsgIcon;
    // Start-up result, version (major in the low byte), sockets, text, icon.
    const std::tuple<int, std::uint16_t, std::uint16_t, QString, MsgIcon> rows[] = {
        {0, 0x0101, 1, "", MsgIcon::None},
        {0, 0x0202, 32767, "", MsgIcon::None},
        {platform::kWsaVerNotSupported, 0x0101, 1,
         "Windows Sockets for 32 bit Windows environments is not successfully responding.",
         MsgIcon::None},
        {0, 0x0001, 1,
         "Windows Sockets Version 1.0 is not supported by Windows Sockets for 32 bit Windows "
         "environments.",
         MsgIcon::Exclamation},
        {0, 0x0100, 1,
         "Windows Sockets Version 0.1 is not supported by Windows Sockets for 32 bit Windows "
         "environments.",
         MsgIcon::Exclamation},
        {0, 0x0101, 0, "This application requires a minimum of 1 supported sockets.",
         MsgIcon::Exclamation},
        {0, 0x0202, 0x8000, "This application requires a minimum of 1 supported sockets.",
         MsgIcon::Exclamation},
    };
    for (const auto& [result, version, sockets, text, icon] : rows) {
        const auto refusal = ModulePing::startupRefusal(result, {version, 0x0202, sockets});
        EXPECT_EQ(refusal ? refusal->text : QString(), text) << result << ' ' << version;
        EXPECT_EQ(refusal ? refusal->icon : MsgIcon::None, icon) << text.toStdString();
    }
}

TEST(HostAddressChecks, ClassMaskOnLeavingTheAddress) {
    test::TestEnvironment env;
    const std::pair<const char*, const char*> rows[] = {{"10.1.1.1", "255.0.0.0"},
                                                        {"126.0.0.1", "255.0.0.0"},
                                                        {"127.0.0.1", "255.255.0.0"},
                                                        {"191.1.1.1", "255.255.0.0"},
                                                        {"192.168.0.1", "255.255.255.0"},
                                                        {"233.1.1.1", "255.255.255.0"},
                                                        {"234.1.1.1", ""},
                                                        {"0.1.1.1", ""},
                                                        {"", ""}};
    for (const auto& [address, mask] : rows) {
        env.ui.boxes.clear();
        EXPECT_EQ(maskOnLeavingAddress(address).value_or(""), mask) << address;
        EXPECT_EQ(env.ui.lastText(), *mask ? QString() : kAddressNotValid) << address;
    }
}

// Only whole addresses and masks of four numbers from 0 to 255 pass; a refused one sends no
// echo and stores nothing.
TEST(HostAddressChecks, NextStoresOnlyASilentValidAddress) {
    const std::tuple<const char*, const char*, std::uint32_t, QString, size_t> rows[] = {
        {"234.1.1.1", "255.255.255.0", 11010, kAddressNotValid, 0},
        {"10.", "255.0.0.0", 11010, kAddressNotValid, 0},
        {"10.0", "255.0.0.0", 11010, kAddressNotValid, 0},
        {"192.168.1", "255.255.255.0", 11010, kAddressNotValid, 0},
        {"", "255.0.0.0", 11010, kAddressNotValid, 0},
        {"10.0.0.256", "255.0.0.0", 11010, kAddressNotValid, 0},
        {"1.2.3.4.", "255.0.0.0", 11010, kAddressNotValid, 0},
        {"10.0.0.1", "0.255.0.0", 11010, kMaskNotValid, 0},
        {"10.0.0.1", "255.", 11010, kMaskNotValid, 0},
        {"10.0.0.1", "", 11010, kMaskNotValid, 0},
        {"10.0.0.1", "255.0.0.300", 11010, kMaskNotValid, 0},
        {"192.168.0.1", "255.255.255.0", 0,
         "192.168.0.1 has been already in use. Please choose another IPAdress ", 1},
        {"1.2.3.4", "255.0.0.0", 11050, "", 1},
        {"10.0.0.1", "255.0.0.0", 11010, "", 1}};
    for (const auto& [address, mask, pingStatus, message, echoes] : rows) {
        test::TestEnvironment env;
        env.icmp.status = pingStatus;
        EXPECT_EQ(storeHostAddress(address, mask), message.isEmpty()) << address;
        EXPECT_EQ(env.ui.lastText(), message) << address;
        EXPECT_EQ(env.icmp.echoes.size(), echoes) << address;
        EXPECT_EQ(env.ui.boxes.empty() ? "Vornelix" : env.ui.boxes.back().title, "Vornelix");
        EXPECT_EQ(gv().HostIPAddress + gv().HostSubnetMask,
                  message.isEmpty() ? QString(address) + mask : "");
    }
}

}  // namespace
}  // namespace vornelix
