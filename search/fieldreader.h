#pragma once

#include <QStringList>
#include <QStringView>

// The sequential-file field reader, run on text in memory: what reading a line
// back field by field from a file would give, without the file.
class FieldReader
{
public:
    // Every field of the text, in order. Each line (CR LF, CR or LF ends one)
    // gives at least one field; a final line break does not start another line.
    // maxFields stops the reading early (the rest would be thrown away anyway).
    static QStringList read(QStringView text, qsizetype maxFields = -1);
};
