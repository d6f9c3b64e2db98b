#include <gtest/gtest.h>

#include "machine/global_variables.h"
#include "network/host_address_checks.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(HostAddressChecks, ClassMaskOnLeavingTheAddress) {
    test::TestEnvironment env;
    const std::pair<const char*, const char*> rows[] = {{"10.1.1.1", "255.0.0.0"},
                                                        {"126.0.0.1", "255.0.0.0"},
                                                        {"127.0.0.1", "255.255.0.0"},
                                                        {"191.1.1.1", "255.255.0.0"},
                                                        {"192.168.0.1", "255.255.255.0"},
                                                        {"233.1.1.1", "255.255.255.0"},
                                                        {"234.1.1.1", ""},
                                                        {"0.1.1.1", ""}};
    for (const auto& [address, mask] : rows) {
        env.ui.boxes.clear();
        EXPECT_EQ(maskOnLeavingAddress(address).value_or(""), mask) << address;
        EXPECT_EQ(env.ui.lastText(), *mask ? QString() : kAddressNotValid) << address;
    }
}

TEST(HostAddressChecks, NextStoresOnlyASilentValidAddress) {
    const std::tuple<const char*, const char*, std::uint32_t, QString, size_t> rows[] = {
        {"234.1.1.1", "255.255.255.0", 11010, kAddressNotValid, 0},
        {"10.0.0.1", "0.255.0.0", 11010, kMaskNotValid, 0},
        {"192.168.0.1", "255.255.255.0", 0,
         "192.168.0.1 has been already in use. Please choose another IPAdress ", 1},
        {"192.168.0.1", "255.255.255.0", 11050, "", 1}};
    for (const auto& [address, mask, pingStatus, message, echoes] : rows) {
        test::TestEnvironment env;
        env.icmp.status = pingStatus;
        EXPECT_EQ(storeHostAddress(address, mask), message.isEmpty()) << address;
        EXPECT_EQ(env.ui.lastText(), message) << address;
        EXPECT_EQ(env.icmp.echoes.size(), echoes) << address;
        EXPECT_EQ(gv().HostIPAddress + gv().HostSubnetMask,
                  message.isEmpty() ? QString(address) + mask : "");
    }
}

}  // namespace
}  // namespace vornelix
