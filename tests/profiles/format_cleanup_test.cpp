#include <gtest/gtest.h>

#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "profiles/format_change.h"
#include "profiles/unfinished_changes.h"
#include "support/test_environment.h"

// The start-up settling of a quick format that a kill stopped while the HD tool worked.
namespace vornelix {
namespace {

const QString kFolder = R"(c:\Vornelix_HD\Tiger)";
const QString kImage = R"(c:\Vornelix_HD\Tiger\hdimage.img)";
const QString kCopy = R"(c:\Vornelix_HD\Tiger\VornelHD.exe)";
const QString kToolFile = R"(c:\Vornelix_HD\Tiger\.hdimage.img.tmp)";

// Whether the tool had rewritten the image when the program was killed, and what the start
// then says of the volume.
struct KillCase {
    const char* name;
    bool rewritten;
    const char* volume;
};
class KilledFormat : public ::testing::TestWithParam<KillCase> {
  protected:
    test::TestEnvironment env;
};

TEST_P(KilledFormat, TheNextStartEndsTheToolTakesItsCopyAndSaysWhatTheVolumeIs) {
    env.writeFile(kImage, "the volume");
    env.writeFile(kFolder + R"(\notes.txt)", "the user's");
    FormatChange format;
    format.forVolume("Tiger", kFolder);
    format.keepOnDisk();
    format.fileToMake("VornelHD.exe");
    env.writeFile(kCopy, "tool");
    format.toolRunsHere();
    format.toolStarted(env.processes.start(kCopy, "", kFolder, {}).pid);
    env.writeFile(kToolFile, "the tool's");
    if (GetParam().rewritten)
        env.writeFile(kImage, "half a new volume");

    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.processes.endedGroups, std::vector<std::int64_t>{1000});
    EXPECT_EQ(env.ui.takeOnlyBox(),
              "The quick format of the volume of the profile Tiger did not finish when Vornelix "
              "last ended. " +
                  QString(GetParam().volume) +
                  "\nThese were left where they are, as Vornelix cannot tell them from your own "
                  "files:\n" +
                  kToolFile);
    EXPECT_FALSE(env.files().fileExists(kCopy));
    EXPECT_TRUE(env.files().fileExists(kToolFile)) << "cannot be told from the user's own";
    EXPECT_EQ(env.readFile(kFolder + R"(\notes.txt)"), "the user's");
    EXPECT_EQ(env.pendingRecords(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KilledFormat,
    ::testing::Values(KillCase{"BeforeTheImageWasTouched", false, "Its volume is whole as before."},
                      KillCase{"WhileItRewroteTheImage", true,
                               "Its volume must be formatted again before the profile is "
                               "started: press Quick Format Existing Volume in Profile "
                               "Settings."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vornelix
