#pragma once

#include "ViewModels/Theme/AppFontOption.h"

#include <QAbstractButton>

// One font choice as a card: "Aa" and the option's name, both drawn in the option's own font,
// tinted purple when it is the current font.
class FontOptionCard : public QAbstractButton {
    Q_OBJECT
public:
    FontOptionCard(AppFontOption option, bool selected, QWidget* parent = nullptr);

    AppFontOption option() const { return option_; }
    bool isSelected() const { return selected_; }
    QSize sizeHint() const override { return {76, 68}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // As a radio button: choosing the chosen one again keeps it chosen.
    void nextCheckState() override { setChecked(true); }
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    AppFontOption option_;
    bool selected_;
    bool hovered_ = false;
};
