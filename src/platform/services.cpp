#include "platform/services.h"

#include <cstdio>
#include <cstdlib>

namespace vornelix::platform {

namespace {

template <class T>
T& required(T* service, const char* name) {
    if (!service) {
        std::fprintf(stderr, "vornelix: platform service '%s' is not installed\n", name);
        std::abort();
    }
    return *service;
}

}  // namespace

Services& services() {
    static Services instance;
    return instance;
}

UiService& ui() {
    return required(services().ui, "ui");
}
Clock& clock() {
    return required(services().clock, "clock");
}
FileSystem& files() {
    return required(services().files, "files");
}
WindowSystem& windows() {
    return required(services().windows, "windows");
}
Processes& processes() {
    return required(services().processes, "processes");
}
HostFacts& host() {
    return required(services().host, "host");
}
IcmpEcho& icmp() {
    return required(services().icmp, "icmp");
}

}  // namespace vornelix::platform
