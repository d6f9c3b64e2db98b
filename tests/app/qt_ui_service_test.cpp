#include <gtest/gtest.h>

#include "app/qt_ui_service.h"

namespace vornelix {
namespace {

// The pickers' filters as the program spells them, and as Qt's file dialog takes them.
TEST(QtFilter, EachPairBecomesOneEntryWithItsPatternsShownOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {"ISO Files (*.iso)|*.iso", "ISO Files (*.iso)"},
        {" (*.dsk)|*.dsk", " (*.dsk)"},
        {"Disk Image|*.dsk|All|*.*", "Disk Image (*.dsk);;All (*.*)"},
        {"Images|*.iso;*.img", "Images (*.iso *.img)"},
        {"Images (*.iso *.img)|*.iso;*.img", "Images (*.iso *.img)"},
        {"Disk Image|*.dsk|All", "Disk Image (*.dsk)"},
        {"", ""},
    };
    for (const auto& [filter, qt] : cases) EXPECT_EQ(toQtFilter(filter), qt) << filter;
}

}  // namespace
}  // namespace vornelix
