#include "Store/SalvagePlan.h"

#include "Store/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <unistd.h>

namespace {

QByteArray identityText(const std::optional<SalvageFiles::Identity>& id) {
    if (!id)
        return "-";
    return QByteArray::number(id->device) + ':' + QByteArray::number(id->inode) + ':' +
           QByteArray::number(id->size) + ':' + QByteArray::number(id->modifiedNs);
}

std::optional<SalvageFiles::Identity> identityFrom(const QByteArray& text, bool* ok) {
    const QList<QByteArray> parts = text.split(':');
    bool read[4] = {};
    SalvageFiles::Identity id;
    if (parts.size() == 4) {
        id.device = parts[0].toULongLong(&read[0]);
        id.inode = parts[1].toULongLong(&read[1]);
        id.size = parts[2].toLongLong(&read[2]);
        id.modifiedNs = parts[3].toLongLong(&read[3]);
    }
    *ok = read[0] && read[1] && read[2] && read[3];
    return id;
}

// A count of records: a whole number, never negative; nothing else counts as one.
std::optional<int> countFrom(const QByteArray& text) {
    bool ok = false;
    const int count = text.toInt(&ok);
    return ok && count >= 0 ? std::optional<int>(count) : std::nullopt;
}

// One line of a plan into plan; false when the line is not one a plan holds.
bool readLine(const QList<QByteArray>& fields, const QString& folder, SalvagePlan* plan, bool* sawCopy) {
    const QByteArray& kind = fields[0];
    if (fields.size() == 2 && kind == "aside") {
        const QString name = QString::fromUtf8(fields[1]);
        // A name beside the store, nothing that leads out of its folder.
        if (name.isEmpty() || name.contains(u'/') || name == u"." || name == u"..")
            return false;
        plan->aside = folder + u'/' + name;
        return true;
    }
    bool ok = false;
    if (fields.size() == 2 && kind == "damaged") {
        if (fields[1] == "-")
            return true;
        plan->damaged = identityFrom(fields[1], &ok);
        return ok;
    }
    if (fields.size() == 2 && kind == "copy") {
        plan->copy = *identityFrom(fields[1], &ok);
        *sawCopy = ok;
        return ok;
    }
    if (fields.size() != 3 || fields[1].isEmpty())
        return false;
    const QString entity = QString::fromUtf8(fields[1]);
    const std::optional<int> count = countFrom(fields[2]);
    if (kind == "recovered" && count)
        plan->report.recovered[entity] = *count;
    else if (kind == "held" && (count || fields[2] == "-"))
        plan->report.held[entity] = count; // "-": the damaged store's count could not be read
    else
        return false;
    return true;
}

} // namespace

QString SalvagePlan::pathFor(const QString& store) {
    return store + QStringLiteral(".salvage-plan");
}

bool SalvagePlan::write(const QString& store) const {
    QByteArray text = "aside\t" + QFileInfo(aside).fileName().toUtf8() + '\n';
    text += "damaged\t" + identityText(damaged) + '\n';
    text += "copy\t" + identityText(copy) + '\n';
    for (const auto& [entity, count] : report.recovered)
        text += "recovered\t" + entity.toUtf8() + '\t' + QByteArray::number(count) + '\n';
    for (const auto& [entity, held] : report.held)
        text += "held\t" + entity.toUtf8() + '\t' + (held ? QByteArray::number(*held) : "-") + '\n';
    const QString part = pathFor(store) + QStringLiteral(".part");
    {
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
            !file.flush() || ::fsync(file.handle()) != 0) {
            file.close();
            QFile::remove(part);
            return false;
        }
    }
    if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(pathFor(store)).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    return true;
}

SalvagePlan::Found SalvagePlan::read(const QString& store, SalvagePlan* plan, QString* why) {
    const QString path = pathFor(store);
    if (!SalvageFiles::present(path))
        return Found::none;
    if (const QString what = RegularFile::whyNotAFile(path); !what.isEmpty()) {
        *why = what;
        return Found::unreadable;
    }
    QFile file(path);
    if (!RegularFile::openRegular(file)) {
        *why = QStringLiteral("it could not be opened");
        return Found::unreadable;
    }
    *plan = SalvagePlan();
    bool sawCopy = false;
    const QString folder = QFileInfo(store).absolutePath();
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() && i == lines.size() - 1)
            break;
        if (!readLine(lines[i].split('\t'), folder, plan, &sawCopy)) {
            *why = QStringLiteral("its line %1 is not one a plan holds").arg(i + 1);
            return Found::unreadable;
        }
    }
    if (plan->aside.isEmpty() || !sawCopy || plan->report.recovered.empty()) {
        *why = QStringLiteral("it does not say where the damaged store goes and what was recovered");
        return Found::unreadable;
    }
    plan->report.movedTo = plan->aside;
    return Found::read;
}
