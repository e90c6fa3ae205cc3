#include "ViewModels/LinksViewModel.h"

#include "Models/LinkItem.h"
#include "Platform/Clock.h"
#include "Store/LiveFetch.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"

#include <QUuid>

#include <algorithm>
#include <map>

namespace {

// Categories that read the same are the same category, whatever their composition.
QString canonical(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

// Code-point order (UTF-16 unit order would put U+E000..U+FFFF after supplementary planes).
bool codePointLess(const QString& a, const QString& b) {
    const QList<uint> ua = a.toUcs4();
    const QList<uint> ub = b.toUcs4();
    return std::lexicographical_compare(ua.begin(), ua.end(), ub.begin(), ub.end());
}

struct CodePointLess {
    bool operator()(const QString& a, const QString& b) const { return codePointLess(a, b); }
};

} // namespace

LinksViewModel::LinksViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context),
      live_(
          new LiveFetch(context,
                        FetchRequest(LinkItem::entityName(), {},
                                     {{LinkItem::Keys::category, true}, {LinkItem::Keys::createdAt, false}}),
                        {}, this)) {
    connect(live_, &LiveFetch::changed, this, [this] {
        rebuild();
        emit linksChanged();
    });
    rebuild();
}

QString LinksViewModel::categoryOf(const LinkItem& link) {
    return link.category().value_or(QStringLiteral("General"));
}

std::vector<std::shared_ptr<LinkItem>> LinksViewModel::links() const {
    return links_;
}

QStringList LinksViewModel::categoryNames() const {
    QStringList names;
    for (const auto& c : categories_)
        names << c.name;
    return names;
}

void LinksViewModel::rebuild() {
    links_ = live_->typedResults<LinkItem>();
    keys_.clear();
    std::map<QString, int, CodePointLess> counts;
    for (const auto& link : links_) {
        keys_.push_back(canonical(categoryOf(*link)));
        ++counts[keys_.back()];
    }
    categories_.clear();
    for (const auto& [name, count] : counts)
        categories_.push_back({name, count});
}

std::vector<LinksViewModel::Section> LinksViewModel::sections(const std::optional<QString>& selected) const {
    std::vector<Section> out;
    const auto collect = [this, &out](const QString& key) {
        Section section{key, {}};
        for (size_t i = 0; i < links_.size(); ++i)
            if (keys_[i] == key)
                section.links.push_back(links_[i]);
        if (!section.links.empty())
            out.push_back(std::move(section));
    };
    if (selected) {
        collect(canonical(*selected));
        return out;
    }
    for (const auto& c : categories_)
        collect(c.name);
    return out;
}

bool LinksViewModel::addLink(const QString& title, const QString& url, const QString& category) {
    ActionGuard action(*context_);
    auto link = context_->insert<LinkItem>();
    link->setId(QUuid::createUuid());
    link->setTitle(title.trimmed());
    link->setUrl(url.trimmed());
    link->setCategory(category.trimmed());
    link->setCreatedAt(Clock::now());
    return action.commit();
}

bool LinksViewModel::updateLink(const std::shared_ptr<LinkItem>& link, const QString& title,
                                const QString& url, const QString& category) {
    if (!link || link->isDeleted())
        return false;
    ActionGuard action(*context_);
    link->setTitle(title.trimmed());
    link->setUrl(url.trimmed());
    link->setCategory(category.trimmed());
    return action.commit();
}

bool LinksViewModel::deleteLink(const std::shared_ptr<LinkItem>& link) {
    if (!link || link->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(link);
    return action.commit();
}
