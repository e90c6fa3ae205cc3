#pragma once

#include "Store/EntityDescription.h"

#include <QString>

#include <map>

// Rebuilding a store from what can be read of a damaged one (StoreSalvage::build): every pk a
// table scan or an index reaches is read back by pk, and the rows that read are copied with their
// pks; records whose owner was lost follow the owner's delete rule.
namespace SalvageRebuild {

// Records per entity in the store at path, read-only; empty when it cannot be read.
std::map<QString, int> countRecords(const ObjectModel& model, const QString& path);

} // namespace SalvageRebuild
