#include "volume_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vornelix::hd_tool {

namespace {

void putLittleEndian(Sector& sector, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        sector[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

std::string failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Sizes the open temporary file and gives it its header; the text of what failed, or empty.
std::string fill(int fd, const VolumeHeader& header) {
    if (::ftruncate(fd, static_cast<off_t>(header.sizeBytes)) != 0)
        return failure("cannot size the image");
    const Sector sector = encodeHeader(header);
    if (::pwrite(fd, sector.data(), sector.size(), 0) != static_cast<ssize_t>(sector.size()))
        return failure("cannot write the volume header");
    if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0)
        return failure("cannot write the image");
    return {};
}

}  // namespace

Sector encodeHeader(const VolumeHeader& header) {
    Sector sector{};
    std::memcpy(sector.data(), kMagic, 8);
    putLittleEndian(sector, 8, kHeaderVersion, 4);
    putLittleEndian(sector, 12, header.kind, 4);
    putLittleEndian(sector, 16, header.sizeBytes, 8);
    putLittleEndian(sector, 24, header.formatTime, 8);
    const std::size_t length = std::min(header.note.size(), kNoteSize - 1);
    std::memcpy(sector.data() + kNoteOffset, header.note.data(), length);
    return sector;
}

std::string writeImage(const std::string& name, const VolumeHeader& header) {
    std::string temporary = "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return failure("cannot create a temporary image in the working folder");
    std::string error = fill(fd, header);
    if (::close(fd) != 0 && error.empty())
        error = failure("cannot write the image");
    if (error.empty() && ::rename(temporary.c_str(), name.c_str()) != 0)
        error = failure("cannot name the image " + name);
    if (!error.empty())
        ::unlink(temporary.c_str());
    return error;
}

}  // namespace vornelix::hd_tool
