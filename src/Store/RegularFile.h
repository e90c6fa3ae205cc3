#pragma once

#include <QFile>
#include <QString>

struct stat;

// What a file is, told without opening it: opening a named pipe waits for a writer, and a start
// never waits on a file.
namespace RegularFile {

// Opens a file for reading only when it is a regular one; false (with nothing open) otherwise.
bool openRegular(QFile& file);
// What a file that is there but is not a regular file is, for a line that names it.
QString notAFile(const struct stat& info);
// Why the file at this name (a link not followed) cannot be taken for a regular file: "a named
// pipe, not a file", "a symbolic link", ...; empty when it is one or when nothing is there.
QString whyNotAFile(const QString& file);
// "<file> is a named pipe, not a file" (a folder, a socket, a device) when something that is not
// a regular file is at file, following links; empty when a regular file or nothing is. Any file a
// start opens is asked first.
QString notAFileReason(const QString& file);

} // namespace RegularFile
