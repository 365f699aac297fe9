#include "search/querysplit.h"

#include "search/fieldreader.h"

ItemTable QuerySplit::split(const QString &text)
{
    ItemTable table;
    const QStringList fields = FieldReader::read(text, ItemTable::kMaxItems);
    table.count = int(fields.size());
    for (int i = 0; i < table.count; ++i)
        table.slot[i + 1] = fields[i];
    return table;
}

ItemTable QuerySplit::Do_P(const QString &query)
{
    return split(query);
}

ItemTable QuerySplit::Do_S(const QString &query)
{
    QString text = query;
    text.replace(u' ', u',');
    return split(text);
}
