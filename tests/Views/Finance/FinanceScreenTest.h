#pragma once

#include "Components/SheetHost.h"
#include "Support/TestSupport.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/Finance/FinanceTestSupport.h"
#include "Views/Navigation/MainWindow.h"
#include "Views/TestScreenModels.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

// A money screen built on its own, shown offscreen in the dark look, with lookups by object
// name among the widgets that show.
class FinanceScreenTest : public FinanceStoreTest {
protected:
    using FinanceStoreTest::FinanceStoreTest;
    void SetUp() override {
        FinanceStoreTest::SetUp();
        MainWindow::applyThemeToApplication();
    }
    void TearDown() override {
        view.reset();
        FinanceStoreTest::TearDown();
    }

    template <typename V> V& open(int width = 1000, int height = 760) {
        auto made = std::make_unique<V>(screens.env(context));
        V& screen = *made;
        view = std::move(made);
        view->resize(width, height);
        view->setAttribute(Qt::WA_DontShowOnScreen, true);
        view->show();
        qv::test::settle();
        return screen;
    }
    template <typename T> std::vector<T*> all(const QString& name, QWidget* in = nullptr) {
        qv::test::settle();
        QWidget* root = in ? in : view.get();
        std::vector<T*> out;
        for (T* w : root->findChildren<T*>(name))
            if (w->isVisibleTo(root))
                out.push_back(w);
        return out;
    }
    template <typename T> T* find(const QString& name, QWidget* in = nullptr) {
        const auto found = all<T>(name, in);
        return found.empty() ? nullptr : found.front();
    }
    QString text(const QString& name) {
        auto* label = find<QLabel>(name);
        return label ? label->text() : QStringLiteral("<missing>");
    }
    void click(QAbstractButton* button) {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        qv::test::settle();
    }
    void click(const QString& name, QWidget* in = nullptr) { click(find<QAbstractButton>(name, in)); }
    void type(const QString& name, const QString& text, QWidget* in = nullptr) {
        auto* field = find<QLineEdit>(name, in);
        ASSERT_NE(field, nullptr) << name.toStdString();
        field->clear();
        QTest::keyClicks(field, text);
    }
    SheetHost* sheet() const { return SheetHost::topmost(view.get()); }

    TestScreenModels screens;
    std::unique_ptr<QWidget> view;
};
