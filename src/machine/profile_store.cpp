#include "machine/profile_store.h"

namespace vornelix {

// Being built.
QString profileTableSchema() { return {}; }
void createProfileDatabase(const QString&) {}
QString profileConnectionString() { return {}; }
void openProfileStore(const QString&, const QVariantList&) {}
void closeProfileStore() {}
std::int16_t countProfiles() { return 0; }

}  // namespace vornelix
