#pragma once

#include <SQLiteCpp/Database.h>

#include <QString>

#include <string>

// Makes a store file refuse (or accept again) every write to the calendar's records, the way
// a full disk would, through a second connection: the main context only learns it at save.
inline void refuseCalendarWrites(const QString& storePath, bool refuse = true) {
    SQLite::Database db(storePath.toStdString(), SQLite::OPEN_READWRITE);
    for (const char* table : {"CalendarTask", "CalendarSubtask", "TaskCategory"}) {
        for (const char* op : {"INSERT", "UPDATE", "DELETE"}) {
            const std::string name = std::string("refuse_") + op + "_" + table;
            db.exec("DROP TRIGGER IF EXISTS " + name);
            if (refuse)
                db.exec("CREATE TRIGGER " + name + " BEFORE " + op + " ON \"" + table +
                        "\" BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
        }
    }
}
