#include "platform/rar_archive.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

// The library's header defines HANDLE, UINT, LONG, LPARAM, CALLBACK and PASCAL as macros on
// Unix, which clash with Qt's own names: it comes after every other header.
#ifndef _UNIX
#define _UNIX
#endif
#include <unrar/dll.hpp>

namespace vornelix::platform {

struct RarCallbacks {
    static int CALLBACK onMessage(UINT message, LPARAM userData, LPARAM, LPARAM p2) {
        auto* archive = reinterpret_cast<RarArchive*>(userData);
        switch (message) {
            case UCM_PROCESSDATA:
                return archive->dataArrived();
            case UCM_CHANGEVOLUME:
            case UCM_CHANGEVOLUMEW:
                return p2 == RAR_VOL_NOTIFY ? 1 : -1;
            default:
                return -1;  // never asked for a password: only the one set beforehand counts
        }
    }
};

RarArchive::~RarArchive() {
    close();
}

int RarArchive::open(const QString& hostPath, RarOpenMode mode, int commentChars) {
    close();
    QByteArray name = QFile::encodeName(hostPath);
    std::vector<wchar_t> comment(static_cast<std::size_t>(std::max(commentChars, 0)), L' ');
    RAROpenArchiveDataEx data{};
    data.ArcName = name.data();
    data.OpenMode = mode == RarOpenMode::List ? RAR_OM_LIST : RAR_OM_EXTRACT;
    data.CmtBufW = comment.empty() ? nullptr : comment.data();
    data.CmtBufSize = static_cast<unsigned int>(comment.size());
    // The callback is set only once the archive is open: with one present the library would
    // ask it for the password of encrypted headers during the open, before any can be given.
    m_handle = RAROpenArchiveEx(&data);
    if (m_handle)
        RARSetCallback(m_handle, &RarCallbacks::onMessage, reinterpret_cast<LPARAM>(this));
    m_commentState = static_cast<int>(data.CmtState);
    m_comment.clear();
    if (m_commentState == 1)
        m_comment = QString::fromWCharArray(
            comment.data(), static_cast<qsizetype>(wcsnlen(comment.data(), comment.size())));
    if (data.OpenResult != rar::kSuccess)
        close();
    return static_cast<int>(data.OpenResult);
}

void RarArchive::setPassword(const QString& password) {
    if (!m_handle)
        return;
    QByteArray text = password.toUtf8();
    RARSetPassword(m_handle, text.data());
}

int RarArchive::readHeader(QString* entryName) {
    if (!m_handle)
        return rar::kBadArchive;
    RARHeaderDataEx header{};
    const int result = RARReadHeaderEx(m_handle, &header);
    if (entryName)
        *entryName =
            result == rar::kSuccess ? QString::fromWCharArray(header.FileNameW) : QString();
    return result;
}

int RarArchive::processFile(RarOperation operation, const QString& destName) {
    if (!m_handle)
        return rar::kBadArchive;
    QByteArray dest = QFile::encodeName(destName);
    m_failure = nullptr;
    const int result = RARProcessFile(m_handle, static_cast<int>(operation), nullptr,
                                      destName.isEmpty() ? nullptr : dest.data());
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return result;
}

int RarArchive::close() {
    if (!m_handle)
        return rar::kSuccess;
    const int result = RARCloseArchive(m_handle);
    m_handle = nullptr;
    return result;
}

int RarArchive::dataArrived() {
    if (!m_onData)
        return 1;
    try {
        m_onData();
        return 1;
    } catch (...) {
        m_failure = std::current_exception();
        return -1;
    }
}

}  // namespace vornelix::platform
