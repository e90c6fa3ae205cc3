#pragma once

#include <QString>
#include <QVariant>

#include <memory>

// What tells the record a list's row shows from another (FocusAfter::fillRow): the kind of row
// and the record's store identity; a record gone is no record.
template <typename Record> QVariant rowKey(const std::shared_ptr<Record>& record, const char* kind = "") {
    return record ? QVariant(QString::fromLatin1(kind) + QString::number(record->objectID())) : QVariant();
}
template <typename Record> QVariant rowKey(const std::weak_ptr<Record>& record, const char* kind = "") {
    return rowKey(record.lock(), kind);
}
