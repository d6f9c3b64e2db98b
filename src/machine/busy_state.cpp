#include "machine/busy_state.h"

#include <array>
#include <numeric>

#include "machine/module_general_functions.h"

namespace vornelix {

namespace {

std::array<int, 5> g_depth{};

int total() {
    return std::accumulate(g_depth.begin(), g_depth.end(), 0);
}

}  // namespace

BusyScope::BusyScope(BusyWork work) : m_work(work) {
    const bool first = total() == 0;
    ++g_depth[static_cast<int>(work)];
    if (first)
        ModuleGeneralFunctions::UpdateMenusAndButtons();
}

BusyScope::~BusyScope() {
    --g_depth[static_cast<int>(m_work)];
    if (total() == 0)
        ModuleGeneralFunctions::UpdateMenusAndButtons();
}

bool isBusy() {
    return total() > 0;
}

bool isBusyWith(BusyWork work) {
    return g_depth[static_cast<int>(work)] > 0;
}

}  // namespace vornelix
