#pragma once

#include <QAbstractButton>
#include <QStringList>
#include <QVariant>

class QMenu;

// A compact button showing the chosen option, opening a menu of all options. Each option is
// a shown text with an optional value.
class MenuPicker : public QAbstractButton {
    Q_OBJECT
public:
    explicit MenuPicker(QWidget* parent = nullptr);

    void addOption(const QString& text, const QVariant& value = {});
    void setOptions(const QStringList& texts);
    void clearOptions();
    int count() const { return int(texts_.size()); }
    QString optionText(int index) const { return texts_.value(index); }
    QVariant optionValue(int index) const { return values_.value(index); }

    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    QString currentText() const { return texts_.value(current_); }
    QVariant currentValue() const { return values_.value(current_); }

    QSize sizeHint() const override;
    // The menu while it is open (for tests); null otherwise.
    QMenu* openMenu() const { return menu_; }

signals:
    void currentIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showMenu();

    QStringList texts_;
    QList<QVariant> values_;
    int current_ = -1;
    QMenu* menu_ = nullptr;
};
