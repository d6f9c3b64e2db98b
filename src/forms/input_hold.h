#pragma once

namespace vornelix {

class Form;

// While long work is under way the loaded windows that take no input then are disabled;
// FormRegistry::followBusyState enables them again as the work allows.
void holdWhenBusy(Form& form);

}  // namespace vornelix
