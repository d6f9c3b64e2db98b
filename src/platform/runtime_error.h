#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace vornelix::platform {

// An error as the program's handlers see it: a number and a description.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(std::int32_t number, const QString& description)
        : std::runtime_error(description.toStdString()),
          m_number(number),
          m_description(description) {}

    std::int32_t number() const { return m_number; }
    const QString& description() const { return m_description; }

  private:
    std::int32_t m_number;
    QString m_description;
};

// The run-time errors of the file operations, numbered as the handlers know them.
inline constexpr std::int32_t kErrPermissionDenied = 70;
inline constexpr std::int32_t kErrDiskNotReady = 71;
inline constexpr std::int32_t kErrPathFileAccess = 75;

// &H80004005: the database file could not be opened.
inline constexpr std::int32_t kErrUnspecified = -2147467259;

}  // namespace vornelix::platform
