#include "forms/busy_state.h"

#include <array>
#include <numeric>

#include "forms/forms.h"
#include "forms/upper_windows.h"

namespace vornelix {

namespace {

std::array<int, kBusyWorkCount> g_depth{};

int total() {
    return std::accumulate(g_depth.begin(), g_depth.end(), 0);
}

}  // namespace

BusyScope::BusyScope(BusyWork work) : m_work(work) {
    const bool first = total() == 0;
    ++g_depth[static_cast<int>(work)];
    FormRegistry::followBusyState();
    if (first)
        updateMenusAndButtons();
}

BusyScope::~BusyScope() {
    --g_depth[static_cast<int>(m_work)];
    FormRegistry::followBusyState();
    if (total() == 0)
        updateMenusAndButtons();
}

bool isBusy() {
    return total() > 0;
}

bool isBusyWith(BusyWork work) {
    return g_depth[static_cast<int>(work)] > 0;
}

}  // namespace vornelix
