#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class AchievementCategory;
class AchievementsViewModel;
class EmojiGrid;
class DatePickerField;
class MenuPicker;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Records one achievement: emoji, title, date, optional category (a custom one can be made
// on the spot) and optional notes. It writes through the presenter's view model. Present it
// with SheetHost::present(window, sheet, 480, onDismiss); it closes its host itself (and
// emits dismissed()); everything typed is dropped when it closes without saving.
class AddAchievementSheet : public QWidget {
    Q_OBJECT
public:
    // An empty prefillEmoji opens on the trophy.
    AddAchievementSheet(AchievementsViewModel* viewModel, const QString& prefillTitle = {},
                        const QString& prefillEmoji = {}, QWidget* parent = nullptr);

    // The 20 emoji of the grid, in grid order; the first is the default.
    static const QStringList& emojiOptions();

    QString emoji() const { return emoji_; }
    QString title() const;
    QDateTime date() const { return date_; }
    std::shared_ptr<AchievementCategory> selectedCategory() const { return selectedCategory_; }
    bool canSave() const;
    bool isEmojiPickerShown() const { return showEmojiPicker_; }
    bool isNewCategoryFieldShown() const { return showNewCategoryField_; }

    // Records the achievement (when canSave holds) and asks to be closed.
    void save();
    // Closes without recording anything.
    void dismiss();

signals:
    // The sheet closed itself (Save or its close button). Escape closes the host directly:
    // presenters that refresh on every close use the host's onDismiss instead.
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildForm();
    QWidget* buildFooter();
    QWidget* section(const QString& caption, QWidget* content);
    QWidget* buildEmojiSection();
    QWidget* buildCategorySection();

    void toggleEmojiPicker();
    void closeEmojiPicker();
    void chooseEmoji(const QString& emoji);
    void toggleNewCategoryField();
    void addCategory();
    void rebuildCategoryPicker();
    void updateSaveButton();

    AchievementsViewModel* viewModel_;
    QString emoji_;
    QDateTime date_;
    std::shared_ptr<AchievementCategory> selectedCategory_;
    std::vector<std::shared_ptr<AchievementCategory>> pickerCategories_;
    bool showEmojiPicker_ = false;
    bool showNewCategoryField_ = false;
    bool fetchedOnShow_ = false;

    QPushButton* emojiButton_ = nullptr;
    EmojiGrid* emojiGrid_ = nullptr;
    QLineEdit* titleField_ = nullptr;
    DatePickerField* datePicker_ = nullptr;
    MenuPicker* categoryPicker_ = nullptr;
    QWidget* newCategoryRow_ = nullptr;
    QLineEdit* newCategoryField_ = nullptr;
    QPlainTextEdit* notesEditor_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
