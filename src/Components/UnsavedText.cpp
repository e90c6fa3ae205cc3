#include "Components/UnsavedText.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include <vector>

namespace {

std::vector<QPointer<QWidget>>& editors() {
    static std::vector<QPointer<QWidget>> watched;
    return watched;
}

} // namespace

UnsavedText& UnsavedText::shared() {
    // Never destroyed: editors may go after every static object at exit().
    static auto* instance = new UnsavedText;
    return *instance;
}

void UnsavedText::watch(QWidget* editor) {
    if (!editor)
        return;
    UnsavedText& self = shared();
    auto& watched = editors();
    std::erase_if(watched, [](const QPointer<QWidget>& e) { return e.isNull(); });
    watched.emplace_back(editor);
    editor->installEventFilter(&self);
    const auto emptied = [editor, &self] {
        if (!holds(editor))
            emit self.released();
    };
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        connect(line, &QLineEdit::textChanged, &self, emptied);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(editor))
        connect(text, &QPlainTextEdit::textChanged, &self, emptied);
    connect(editor, &QObject::destroyed, &self, &UnsavedText::released);
}

bool UnsavedText::holds(const QWidget* editor) {
    if (!editor->isVisible())
        return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return !line->text().isEmpty();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(editor))
        return !text->document()->isEmpty();
    return false;
}

bool UnsavedText::heldIn(const QWidget* within) {
    for (const QPointer<QWidget>& editor : editors())
        if (editor && within->isAncestorOf(editor) && holds(editor))
            return true;
    return false;
}

bool UnsavedText::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide)
        emit released();
    return QObject::eventFilter(watched, event);
}
