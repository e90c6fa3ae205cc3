#pragma once

#include "ViewModels/AppDestination.h"

#include <QAbstractButton>
#include <QPointer>
#include <QVariantAnimation>

// One destination of the sidebar's navigation list: its symbol in a small tile and its
// title; the selected one carries an accent highlight and an indicator bar, a hovered one a
// faint white highlight.
class SidebarNavItem : public QAbstractButton {
    Q_OBJECT
public:
    explicit SidebarNavItem(AppDestination destination, QWidget* parent = nullptr);

    AppDestination destination() const { return destination_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isHovered() const { return hovered_; }

    // The symbol the sidebar shows for a destination.
    static QString symbolName(AppDestination destination);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);
    void animateTo(double& value, double target);

    AppDestination destination_;
    bool selected_ = false;
    bool hovered_ = false;
    double selection_ = 0; // 0 to 1, follows selected_ with the snappy spring
    double hover_ = 0;
    QPointer<QVariantAnimation> selectionAnimation_;
    QPointer<QVariantAnimation> hoverAnimation_;
};
