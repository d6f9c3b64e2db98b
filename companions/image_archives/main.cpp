// make_image_archives <folder>
//
// Writes the image archives vornelix_hd_<N>gb.rar for N = 3 to 15 into folder: each holds one
// entry, hdimage.img, a fixed volume image of exactly N GiB that starts with the volume header
// of the HD tool (kind 2, fixed) and is zero after it. Exit code 0, or 1 with a line on stderr.

#include <cstdio>
#include <string>

#include "volume_image.h"
#include "zero_image_archive.h"

using namespace vornelix;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_image_archives <folder>\n");
        return 1;
    }
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    for (int gib = 3; gib <= 15; ++gib) {
        hd_tool::VolumeHeader header;
        header.kind = hd_tool::kFixedKind;
        header.sizeBytes = static_cast<std::uint64_t>(gib) * kGiB;
        header.formatTime = 1704067200u;  // fixed, so that every build makes the same files
        header.note = "Vornelix fixed volume, " + std::to_string(gib) + " GiB";
        const hd_tool::Sector sector = hd_tool::encodeHeader(header);
        const std::string path =
            std::string(argv[1]) + "/vornelix_hd_" + std::to_string(gib) + "gb.rar";
        const std::string error = image_archives::writeZeroImageArchive(
            path, "hdimage.img", {sector.begin(), sector.end()}, header.sizeBytes);
        if (!error.empty()) {
            std::fprintf(stderr, "make_image_archives: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
