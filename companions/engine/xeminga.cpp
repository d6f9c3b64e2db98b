#include "xeminga.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace vornelix::engine {

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isName(const std::string& key) {
    if (key.empty())
        return false;
    for (const char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

// The value without its enclosing double quotes; nothing when a quote is not closed.
std::optional<std::string> unquoted(const std::string& value) {
    if (value.empty() || value.front() != '"')
        return value;
    if (value.size() < 2 || value.back() != '"')
        return std::nullopt;
    return value.substr(1, value.size() - 2);
}

std::optional<std::uint64_t> hexNumber(const std::string& text) {
    if (text.size() < 3 || text.size() > 18 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return value;
}

void readResolution(const std::string& text, EngineSettings& settings) {
    int width = 0;
    int height = 0;
    if (std::sscanf(text.c_str(), "%dx%d", &width, &height) == 2 && width > 0 && height > 0) {
        settings.width = width;
        settings.height = height;
    }
}

std::string lineError(int number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

// Takes the keys the engine uses out of the values.
std::optional<EngineSettings> interpret(EngineSettings settings, std::string& error) {
    const auto& v = settings.values;
    const auto get = [&](const char* key) {
        const auto it = v.find(key);
        return it == v.end() ? std::string() : it->second;
    };
    settings.diskImage = get("pci_ide0_master_image");
    if (settings.diskImage.empty()) {
        error = "no disk image (pci_ide0_master_image)";
        return std::nullopt;
    }
    const std::optional<std::uint64_t> memory = hexNumber(get("memory_size"));
    if (!memory || *memory == 0) {
        error = "memory_size is not a hexadecimal byte count";
        return std::nullopt;
    }
    settings.memoryBytes = *memory;
    if (!get("prom_bootmethod").empty())
        settings.bootMethod = get("prom_bootmethod");
    settings.slaveInstalled = get("pci_ide0_slave_installed") == "1";
    settings.slaveImage = get("pci_ide0_slave_image");
    settings.slaveType = trimmed(get("pci_ide0_slave_type"));
    if (!get("key_toggle_mouse_grab").empty())
        settings.mouseGrabKey = get("key_toggle_mouse_grab");
    readResolution(get("vlx_start_resolution"), settings);
    return settings;
}

}  // namespace

std::optional<EngineSettings> parseXeminga(const std::string& text, std::string& error) {
    EngineSettings settings;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string content = trimmed(line);
        if (content.empty())
            continue;
        const size_t equals = content.find('=');
        if (equals == std::string::npos) {
            error = lineError(number, "expected key = value");
            return std::nullopt;
        }
        const std::string key = trimmed(content.substr(0, equals));
        if (!isName(key)) {
            error = lineError(number, "\"" + key + "\" is not a key");
            return std::nullopt;
        }
        const std::optional<std::string> value = unquoted(trimmed(content.substr(equals + 1)));
        if (!value) {
            error = lineError(number, "the value of " + key + " has no closing quote");
            return std::nullopt;
        }
        settings.values[key] = *value;
    }
    return interpret(std::move(settings), error);
}

}  // namespace vornelix::engine
