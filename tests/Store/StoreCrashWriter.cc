// A store-only process for the crash-safety test: it saves small edits in a loop and
// reports on standard output the number of each edit whose save() returned true, until it
// is killed.

#include "Store/FetchRequest.h"
#include "Store/ObjectContext.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <string>

#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <store>\n", argv[0]);
        return 2;
    }
    ObjectModel model;
    model.add(
        {QStringLiteral("Edit"), {{"seq", AttributeType::int64}, {"payload", AttributeType::text}}, {}, {}});
    model.add({QStringLiteral("Counter"), {{"value", AttributeType::int64}}, {}, {}});
    QString error;
    auto context = ObjectContext::open(model, QString::fromLocal8Bit(argv[1]), &error);
    if (!context) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(error));
        return 1;
    }
    auto last = context->fetch(FetchRequest("Edit", {}, {{StoreKey{"seq"}, false}}, 1));
    qint64 seq = last.empty() ? 1 : last[0]->value(0).toLongLong() + 1;
    auto counters = context->fetch(FetchRequest("Counter"));
    auto counter = counters.empty() ? context->insert(u"Counter") : counters[0];
    auto* random = QRandomGenerator::global();
    for (;; ++seq) {
        auto edit = context->insert(u"Edit");
        edit->setValue(0, seq);
        edit->setValue(1, QString(random->bounded(10, 3000), QChar(char16_t(u'a' + seq % 26))));
        counter->setValue(0, seq);
        if (!context->save(&error)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
            return 1;
        }
        const std::string line = std::to_string(seq) + "\n";
        if (::write(STDOUT_FILENO, line.data(), line.size()) < 0)
            return 1;
    }
}
