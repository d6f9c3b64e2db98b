// Vornelix.exe <configuration file> 0 0 0
//
// Stand-in for the emulation engine that ships beside the program. The configuration file is
// everything before the last three numbers: the program names it unquoted, so a path with a
// blank arrives as several words. The engine reads the file, refusing a malformed one with a
// message on stderr and exit code 1, then shows a console window titled with its own full path and
// a display window of class ClassVornelix, and follows the program's window messages until it is
// told to end.
//
// Environment, for tests:
//   VORNELIX_ENGINE_LOG               file that receives one line per message and action
//   VORNELIX_ENGINE_DISPLAY_DELAY_MS  make the display window this many ms after the console
//   VORNELIX_ENGINE_NO_DISPLAY        when set and not "0", never make the display window
//   VORNELIX_SHOW_COMMAND             how the program was started ("0": windows start hidden)

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "engine.h"
#include "platform/companion_protocol.h"

using namespace vornelix::engine;

namespace {

int intVariable(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

bool flagVariable(const char* name) {
    const char* text = std::getenv(name);
    return text && *text && std::strcmp(text, "0") != 0;
}

bool isAbsolute(const std::string& path) {
    const bool windowsStyle =
        path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return windowsStyle || (!path.empty() && path[0] == '/');
}

// The path the engine was started by, as its starter named it; the executable's own path
// when that was not a full path.
std::string ownPath(const char* argv0) {
    if (argv0 && isAbsolute(argv0))
        return argv0;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
}

bool isNumber(const char* word) {
    return *word && std::strspn(word, "0123456789") == std::strlen(word);
}

// The configuration file named before the last three numbers, its words joined by one blank.
// Only the first word of a path that held a blank was turned into a host path; the backslashes
// of the others separate folders as well. Nothing when the command line has no such path.
std::optional<std::string> configPathOf(int argc, char** argv) {
    const int pathEnd = argc - 3;
    if (pathEnd < 2 || !isNumber(argv[pathEnd]) || !isNumber(argv[pathEnd + 1]) ||
        !isNumber(argv[pathEnd + 2]))
        return std::nullopt;
    std::string path = argv[1];
    for (int i = 2; i < pathEnd; ++i) path += std::string(" ") + argv[i];
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

int refuse(EngineLog& log, const std::string& message) {
    std::fprintf(stderr, "Vornelix: %s\n", message.c_str());
    log.write("refused " + message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    EngineLog log;
    const std::optional<std::string> configPath = configPathOf(argc, argv);
    if (!configPath)
        return refuse(log, "usage: Vornelix.exe <configuration file> 0 0 0");
    EngineOptions options;
    options.ownPath = ownPath(argv[0]);
    options.configPath = *configPath;
    options.showCommand = intVariable(vornelix::platform::kShowCommandVariable, 1);
    options.displayDelayMs = intVariable("VORNELIX_ENGINE_DISPLAY_DELAY_MS", 0);
    options.noDisplay = flagVariable("VORNELIX_ENGINE_NO_DISPLAY");

    std::string text;
    if (!readFile(options.configPath, text))
        return refuse(log, "cannot read the configuration file " + options.configPath + ": " +
                               std::strerror(errno));
    std::string error;
    std::optional<EngineSettings> settings = parseXeminga(text, error);
    if (!settings)
        return refuse(log, "malformed configuration file " + options.configPath + ": " + error);

    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return refuse(log, "cannot open the X display");
    log.write("start " + options.configPath + " show " + std::to_string(options.showCommand));
    int code = 0;
    {
        Engine engine(display, std::move(*settings), std::move(options), log);
        code = engine.run();
    }
    XCloseDisplay(display);
    return code;
}
