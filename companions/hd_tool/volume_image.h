#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vornelix::hd_tool {

// A growable volume image is a sparse file whose first 512-byte sector is this header;
// numbers are little-endian:
//
//   offset   0  8 bytes   magic "VORNELHD"
//   offset   8  uint32    header version, 1
//   offset  12  uint32    volume kind: 1, growable (the tool's third argument); 2, fixed
//   offset  16  uint64    size of the whole image in bytes, this sector included
//   offset  24  uint64    time of the format, seconds since 1970-01-01 UTC
//   offset  32  96 bytes  note: text, padded with NUL bytes
//   offset 128            zero bytes up to the end of the sector
//
// Nothing after the header is written: the file takes disk space only as the machine
// writes to its volume.
inline constexpr std::size_t kSectorSize = 512;
inline constexpr char kMagic[] = "VORNELHD";
inline constexpr std::uint32_t kHeaderVersion = 1;
inline constexpr std::uint32_t kGrowableKind = 1;
// The kind of the pre-made images of fixed size in the image archives.
inline constexpr std::uint32_t kFixedKind = 2;
inline constexpr std::size_t kNoteOffset = 32;
inline constexpr std::size_t kNoteSize = 96;

struct VolumeHeader {
    std::uint32_t kind = kGrowableKind;
    std::uint64_t sizeBytes = 0;
    std::uint64_t formatTime = 0;
    std::string note;  // cut to 95 bytes, so that a NUL always ends it
};

using Sector = std::array<unsigned char, kSectorSize>;

Sector encodeHeader(const VolumeHeader& header);

// Writes a complete new image named name in the current folder, replacing any file of that
// name: first into a temporary file beside it, which is sized, given its header, flushed
// to disk and only then renamed to name. So name holds either its earlier content or the
// whole new image, never a part of one. Returns an empty text on success; otherwise what
// failed, after the temporary file was removed.
std::string writeImage(const std::string& name, const VolumeHeader& header);

}  // namespace vornelix::hd_tool
