#pragma once

#include <QWidget>

// The sheet's card: the theme's secondary background, rounded, with a hairline edge and the
// card shadow painted around it by the host.
class SheetCard : public QWidget {
    Q_OBJECT
public:
    explicit SheetCard(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
