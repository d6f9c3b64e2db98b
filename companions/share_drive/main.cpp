// chktarakh.ctq
//
// Stand-in for the share-drive program that ships beside the program: a window titled
// "Vornel Drag And Drop" that shows the files of the folder SharedDrive beside the
// executable and follows the New, Open, Copy and Paste messages (share_drive.h). The
// clipboard is the folder SharedDriveClipboard beside it. The marker file pszFile that the
// program leaves in its folder is not needed.
//
// Environment:
//   VORNELIX_SHOW_COMMAND       how the program was started ("0": the window starts hidden)
//   VORNELIX_SHARE_DRIVE_LOG    file that receives one line per message and command
//
// Ends with exit code 0 when its window is destroyed or closed, or on SIGTERM, SIGINT or
// SIGHUP; with 1 when there is no X display.

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/companion_protocol.h"
#include "share_drive.h"

using namespace vornelix::share_drive;

namespace {

int g_stopPipe[2] = {-1, -1};
std::FILE* g_log = nullptr;

void onStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_stopPipe[1], &byte, 1);
}

// Xlib ends the program after this returns; the log says why.
int onDisplayLost(Display*) {
    if (g_log)
        std::fprintf(g_log, "exit display lost\n");
    std::_Exit(0);
}

bool catchStopSignals() {
    if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    return true;
}

std::filesystem::path programFolder(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    const std::filesystem::path self =
        n > 0 ? std::filesystem::path(std::string(buffer, static_cast<size_t>(n))) : argv0;
    return std::filesystem::absolute(self).parent_path();
}

int intVariable(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

}  // namespace

int main(int, char** argv) {
    if (const char* path = std::getenv("VORNELIX_SHARE_DRIVE_LOG"); path && *path)
        g_log = std::fopen(path, "a");
    if (!catchStopSignals())
        return 1;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "chktarakh: cannot open the X display\n");
        return 1;
    }
    XSetIOErrorHandler(onDisplayLost);
    const std::filesystem::path folder = programFolder(argv[0]);
    SharedFolder drive(folder / "SharedDrive", folder / "SharedDriveClipboard");
    int code = 0;
    {
        ShareDrive window(display, drive, g_log,
                          intVariable(vornelix::platform::kShowCommandVariable, 1), g_stopPipe[0]);
        code = window.run();
    }
    XCloseDisplay(display);
    if (g_log)
        std::fclose(g_log);
    return code;
}
