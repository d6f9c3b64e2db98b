#include "engine_log.h"

#include <cstdlib>

namespace vornelix::engine {

EngineLog::EngineLog() {
    const char* path = std::getenv("VORNELIX_ENGINE_LOG");
    if (path && *path)
        m_file = std::fopen(path, "a");
}

EngineLog::~EngineLog() {
    if (m_file)
        std::fclose(m_file);
}

void EngineLog::write(const std::string& line) {
    if (!m_file)
        return;
    std::fprintf(m_file, "%s\n", line.c_str());
    std::fflush(m_file);
}

std::string hex32(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", value & 0xFFFFFFFFUL);
    return text;
}

}  // namespace vornelix::engine
