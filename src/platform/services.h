#pragma once

#include <memory>

namespace vornelix::platform {

class UiService;
class Clock;
class FileSystem;
class WindowSystem;
class Processes;
class HostFacts;
class IcmpEcho;

// The platform services the program runs on: the real ones in the program, fakes in tests.
struct Services {
    UiService* ui = nullptr;
    Clock* clock = nullptr;
    FileSystem* files = nullptr;
    WindowSystem* windows = nullptr;
    Processes* processes = nullptr;
    HostFacts* host = nullptr;
    IcmpEcho* icmp = nullptr;
};

Services& services();

UiService& ui();
Clock& clock();
FileSystem& files();
WindowSystem& windows();
Processes& processes();
HostFacts& host();
IcmpEcho& icmp();

}  // namespace vornelix::platform
