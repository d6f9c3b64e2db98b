// VornelHD.exe <image name> <size in GiB> 1
//
// Stand-in for the HD tool that ships beside the program. Started in a profile's folder as
// "VornelHD.exe hdimage.img 8 1", it makes hdimage.img there: a growable volume image, a
// sparse file of exactly the given number of GiB with the header described in
// volume_image.h. An image that is already there is formatted quickly: it is replaced by a
// fresh, empty image of the size now asked for, with a new header. The replacement happens
// only once the new image is complete, so a failure leaves an earlier image as it was.
//
// Arguments: the image name is a plain file name in the working folder (no path); the size
// is a decimal number from 1 to 64; the third argument, the volume kind, is always 1.
//
// Exit codes, with a line on stderr for every failure:
//   0  the image was written
//   2  bad command line; nothing was touched
//   3  the image could not be written (a full disk among the causes); nothing was left
//      behind and an earlier image is unchanged

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "volume_image.h"

using namespace vornelix::hd_tool;

namespace {

constexpr int kOk = 0;
constexpr int kUsage = 2;
constexpr int kIoFailure = 3;
constexpr int kMaxSizeGiB = 64;
constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "VornelHD: %s\n", message.c_str());
    if (code == kUsage)
        std::fprintf(stderr, "usage: VornelHD.exe <image name> <size in GiB, 1 to %d> 1\n",
                     kMaxSizeGiB);
    return code;
}

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string::npos;
}

// The size as a decimal number of digits only, 1 to kMaxSizeGiB; 0 for anything else.
int sizeGiB(const std::string& text) {
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int value = std::stoi(text);
    return value <= kMaxSizeGiB ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return fail(kUsage, "expected three arguments, got " + std::to_string(argc - 1));
    const std::string name = argv[1];
    if (!isPlainFileName(name))
        return fail(kUsage, "the image name must be a file name without a folder: " + name);
    const int gib = sizeGiB(argv[2]);
    if (gib == 0)
        return fail(kUsage, "the size must be a whole number of GiB from 1 to " +
                                std::to_string(kMaxSizeGiB) + ": " + argv[2]);
    if (std::string(argv[3]) != "1")
        return fail(kUsage, std::string("the volume kind must be 1: ") + argv[3]);

    VolumeHeader header;
    header.sizeBytes = static_cast<std::uint64_t>(gib) * kGiB;
    header.formatTime = static_cast<std::uint64_t>(std::time(nullptr));
    header.note = "Vornelix growable volume, " + std::to_string(gib) + " GiB";
    const std::string error = writeImage(name, header);
    if (!error.empty())
        return fail(kIoFailure, error);
    return kOk;
}
