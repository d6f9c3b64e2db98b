#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace vornelix::engine {

// What the engine takes from its configuration file.
struct EngineSettings {
    std::map<std::string, std::string> values;  // every key with its value, quotes removed
    std::string diskImage;                      // pci_ide0_master_image
    std::uint64_t memoryBytes = 0;              // memory_size
    std::string bootMethod = "auto";            // prom_bootmethod
    bool slaveInstalled = false;                // pci_ide0_slave_installed
    std::string slaveImage;                     // pci_ide0_slave_image
    std::string slaveType;                      // pci_ide0_slave_type
    int width = 800;                            // vlx_start_resolution "WxHxD"
    int height = 600;
    std::string mouseGrabKey = "F6";  // key_toggle_mouse_grab
};

// Reads the configuration text: lines of "key = value", each ending in CR LF or LF, blanks
// around keys and values and blank lines allowed, a value optionally in double quotes. A
// line without an equals sign or with a key that is not a name, an unclosed quote, a
// missing disk image or a memory size that is not a hexadecimal byte count ("0x8000000")
// make the file malformed: nothing is returned and error says why.
std::optional<EngineSettings> parseXeminga(const std::string& text, std::string& error);

}  // namespace vornelix::engine
