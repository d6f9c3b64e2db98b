#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vornelix::image_archives {

// Writes a RAR 5 archive at path holding one entry, name: the bytes of head followed by zero
// bytes up to sizeBytes in all. The entry is compressed (a run of zeros costs one bit for every
// 4097 bytes), so an image of many GiB makes an archive of some hundred KB, written in a
// fraction of a second. Returns an empty text on success, else what failed.
std::string writeZeroImageArchive(const std::string& path, const std::string& name,
                                  const std::vector<unsigned char>& head, std::uint64_t sizeBytes);

}  // namespace vornelix::image_archives
