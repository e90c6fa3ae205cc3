#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class LinkItem;
class LiveFetch;
class ObjectContext;

// Everything done with saved links goes through one of these. It follows the store through a
// live list (newest first within each category) and works out the categories and sections
// once per change, so the screen and the form only read them.
class LinksViewModel : public QObject {
    Q_OBJECT
public:
    explicit LinksViewModel(ObjectContext* context, QObject* parent = nullptr);

    // A link's category, or "General" when it has none.
    static QString categoryOf(const LinkItem& link);

    // Every link, by category, then newest first.
    std::vector<std::shared_ptr<LinkItem>> links() const;
    int linkCount() const { return int(links_.size()); }

    struct CategoryCount {
        QString name;
        int count = 0;
    };
    // Each category in use once, in code-point order of its canonical form, with its count.
    const std::vector<CategoryCount>& categories() const { return categories_; }
    QStringList categoryNames() const;

    struct Section {
        QString category;
        std::vector<std::shared_ptr<LinkItem>> links;
    };
    // The sections to list: every category, or the selected one alone; empty ones left out.
    std::vector<Section> sections(const std::optional<QString>& selected) const;

    // Each saves once; texts are stored trimmed of white space and line breaks. A failed save
    // leaves the store and the lists as they were and returns false.
    bool addLink(const QString& title, const QString& url, const QString& category);
    bool updateLink(const std::shared_ptr<LinkItem>& link, const QString& title, const QString& url,
                    const QString& category);
    bool deleteLink(const std::shared_ptr<LinkItem>& link);

signals:
    void linksChanged();

private:
    void rebuild();

    ObjectContext* context_;
    LiveFetch* live_;
    std::vector<std::shared_ptr<LinkItem>> links_;
    std::vector<QString> keys_; // canonical category of each link, parallel to links_
    std::vector<CategoryCount> categories_;
};
