#pragma once

#include <cstdio>
#include <string>

namespace vornelix::engine {

// The record of what the engine received and did, one line each, into the file named by
// VORNELIX_ENGINE_LOG (appended, written through at once); nothing without that variable.
class EngineLog {
  public:
    EngineLog();
    ~EngineLog();
    EngineLog(const EngineLog&) = delete;
    EngineLog& operator=(const EngineLog&) = delete;

    void write(const std::string& line);

  private:
    std::FILE* m_file = nullptr;
};

// "0x" and eight lower-case hexadecimal digits.
std::string hex32(unsigned long value);

}  // namespace vornelix::engine
