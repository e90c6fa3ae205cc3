#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

#include <memory>
#include <optional>

class LinkItem;
class LinksViewModel;
class QLabel;
class QPushButton;
class LinksList;
class QStackedLayout;
class QVBoxLayout;

// The links destination: the count of saved links with "Add Link", then a sidebar of
// categories beside the links grouped by category, or an invitation to save the first link.
// It follows the store through its view model; choosing a category narrows the list.
class LinksView : public QWidget {
    Q_OBJECT
public:
    explicit LinksView(const AppEnvironment& env, QWidget* parent = nullptr);

    LinksViewModel* viewModel() const { return viewModel_; }
    LinksList* list() const { return list_; }
    std::optional<QString> selectedCategory() const { return selected_; }
    void selectCategory(const std::optional<QString>& category);
    void showAddSheet();
    void showEditSheet(const std::shared_ptr<LinkItem>& link);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    void refresh();
    void renderSidebar();
    void renderList();

    AppEnvironment env_;
    LinksViewModel* viewModel_;
    std::optional<QString> selected_;
    QLabel* count_ = nullptr;
    QStackedLayout* body_ = nullptr;
    QWidget* empty_ = nullptr;
    QPushButton* add_ = nullptr;
    QWidget* library_ = nullptr;
    QVBoxLayout* sidebar_ = nullptr;
    QWidget* sidebarEntries_ = nullptr;
    LinksList* list_ = nullptr;
};
