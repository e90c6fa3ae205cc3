#include "ViewModels/Finance/FinanceNames.h"

QString FinanceNames::capitalised(const QString& text) {
    QString out = text;
    bool startOfWord = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            startOfWord = true;
            continue;
        }
        c = startOfWord ? c.toUpper() : c.toLower();
        startOfWord = false;
    }
    return out;
}
