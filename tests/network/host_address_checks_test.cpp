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
                                                        {"234.1.1.1", nullptr},
                                                        {"0.1.1.1", nullptr},
                                                        {"", nullptr},
                                                        {"x.1.1.1", nullptr}};
    for (const auto& [address, mask] : rows) {
        env.ui.boxes.clear();
        const std::optional<QString> result = maskOnLeavingAddress(address);
        EXPECT_EQ(result.value_or(QString()), QString(mask ? mask : "")) << address;
        EXPECT_EQ(env.ui.lastText(), mask ? QString() : kAddressNotValid) << address;
    }
}

TEST(HostAddressChecks, NextStoresOnlyASilentValidAddress) {
    struct Row {
        const char* address;
        const char* mask;
        std::uint32_t pingStatus;
        QString message;
        size_t echoes;
    };
    const Row rows[] = {{"234.1.1.1", "255.255.255.0", 11010, kAddressNotValid, 0},
                        {"10.0.0.1", "0.255.0.0", 11010, kMaskNotValid, 0},
                        {"192.168.0.1", "255.255.255.0", 0,
                         "192.168.0.1 has been already in use. Please choose another IPAdress ", 1},
                        {"192.168.0.1", "255.255.255.0", 11050, "", 1}};
    for (const Row& row : rows) {
        test::TestEnvironment env;
        env.icmp.status = row.pingStatus;
        const bool stored = storeHostAddress(row.address, row.mask);
        EXPECT_EQ(stored, row.message.isEmpty()) << row.address;
        EXPECT_EQ(env.ui.lastText(), row.message) << row.address;
        if (!stored) {
            EXPECT_EQ(env.ui.boxes.back().title, "Vornelix");
        }
        EXPECT_EQ(env.icmp.echoes.size(), row.echoes) << row.address;
        EXPECT_EQ(gv().HostIPAddress, stored ? row.address : "") << row.address;
        EXPECT_EQ(gv().HostSubnetMask, stored ? row.mask : "") << row.address;
    }
}

}  // namespace
}  // namespace vornelix
