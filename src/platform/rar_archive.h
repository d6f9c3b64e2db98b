#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace vornelix::platform {

// Result codes of the UnRAR library.
namespace rar {
inline constexpr int kSuccess = 0;
inline constexpr int kEndArchive = 10;
inline constexpr int kNoMemory = 11;
inline constexpr int kBadData = 12;
inline constexpr int kBadArchive = 13;
inline constexpr int kUnknownFormat = 14;
inline constexpr int kOpenError = 15;
inline constexpr int kCreateError = 16;
inline constexpr int kCloseError = 17;
inline constexpr int kReadError = 18;
inline constexpr int kWriteError = 19;
inline constexpr int kMissingPassword = 22;
inline constexpr int kBadPassword = 24;
}  // namespace rar

enum class RarOpenMode { List = 0, Extract = 1 };
enum class RarOperation { Skip = 0, Test = 1, Extract = 2 };

// One archive opened through the UnRAR library (libunrar), closed by close() or the destructor.
// Paths are host paths; they reach the library as the file system's own bytes, which it maps
// back unchanged whatever the locale. The calls return the library's result codes.
class RarArchive {
  public:
    RarArchive() = default;
    ~RarArchive();
    RarArchive(const RarArchive&) = delete;
    RarArchive& operator=(const RarArchive&) = delete;

    // Opens the archive and reads its comment into a buffer of commentChars characters.
    int open(const QString& hostPath, RarOpenMode mode, int commentChars);
    bool isOpen() const { return m_handle != nullptr; }
    // 1 when the whole comment was read, 0 when there is none, a result code otherwise
    // (the library's "buffer too small" among them).
    int commentState() const { return m_commentState; }
    const QString& comment() const { return m_comment; }

    void setPassword(const QString& password);
    // Runs for every block of data that the library extracts or tests. An exception thrown by the
    // handler stops the entry and comes out of processFile once the library has returned.
    void onData(std::function<void()> handler) { m_onData = std::move(handler); }

    // Reads the next entry's header; entryName receives the entry's name.
    int readHeader(QString* entryName = nullptr);
    // Processes the entry of the last header. destName is the file to write (Extract), or the
    // name to report (Test); empty passes none.
    int processFile(RarOperation operation, const QString& destName = QString());
    int close();

  private:
    friend struct RarCallbacks;
    int dataArrived();

    void* m_handle = nullptr;
    int m_commentState = 0;
    QString m_comment;
    std::function<void()> m_onData;
    std::exception_ptr m_failure;
};

}  // namespace vornelix::platform
