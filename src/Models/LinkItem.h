#pragma once

#include "Platform/TextHelpers.h"
#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_LINK_ITEM_ATTRIBUTES(X)                                                                           \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(Url, url, text)                                                                                        \
    X(Category, category, text)                                                                              \
    X(CreatedAt, createdAt, date)

// A saved link of the links library.
class LinkItem : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("LinkItem"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_LINK_ITEM_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<LinkItem> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> url() const { return textValue(Url); }
    void setUrl(const std::optional<QString>& value) { setOptional(Url, Text::oneLine(value)); }
    std::optional<QString> category() const { return textValue(Category); }
    void setCategory(const std::optional<QString>& value) { setOptional(Category, Text::oneLine(value)); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

private:
    LinkItem() = default;
};
