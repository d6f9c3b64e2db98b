#include "machine/global_variables.h"

#include <memory>

namespace vornelix {

namespace {
std::unique_ptr<GlobalVariablesModule>& instance() {
    static std::unique_ptr<GlobalVariablesModule> module =
        std::make_unique<GlobalVariablesModule>();
    return module;
}
}  // namespace

GlobalVariablesModule& gv() {
    return *instance();
}

void resetGlobalVariables() {
    instance() = std::make_unique<GlobalVariablesModule>();
}

}  // namespace vornelix
