#pragma once

#include <QWidget>

#include <memory>

class LinkItem;
class LinksViewModel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// Adds a link, or changes one when given it. The category is picked from the ones in use or
// typed as a new name. It writes only through the links view model and closes once the save
// succeeded; a failed save keeps it open with what was typed. Present it with
// SheetHost::present(window, sheet, LinkFormSheet::kWidth).
class LinkFormSheet : public QWidget {
    Q_OBJECT
public:
    LinkFormSheet(LinksViewModel* viewModel, std::shared_ptr<LinkItem> existingLink = nullptr,
                  QWidget* parent = nullptr);

    bool isEditing() const { return existing_ != nullptr; }
    QString category() const { return category_; }
    bool isNewCategoryShown() const { return showNewCategory_; }
    bool isValid() const;

    QLineEdit* titleField() const { return title_; }
    QLineEdit* urlField() const { return url_; }
    QPushButton* saveButton() const { return save_; }

    void chooseCategory(const QString& name);
    void startNewCategory();
    void pickExisting();
    void save();
    void dismiss();

    static constexpr int kWidth = 440;
    static constexpr int kMaxFormHeight = 400;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildForm();
    QWidget* buildFooter();
    void rebuildChooser();
    void updateSaveButton();

    LinksViewModel* viewModel_;
    std::shared_ptr<LinkItem> existing_;
    QString category_;
    bool showNewCategory_ = false;
    QLineEdit* title_ = nullptr;
    QLineEdit* url_ = nullptr;
    QLineEdit* newCategory_ = nullptr;
    QWidget* form_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* chooser_ = nullptr;
    QVBoxLayout* chooserHost_ = nullptr;
    QPushButton* save_ = nullptr;
};
