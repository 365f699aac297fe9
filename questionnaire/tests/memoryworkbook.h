#pragma once

#include "questionnaire/workbookreader.h"

#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStringList>

#include <memory>

// Workbooks held in memory, by file name; a name not held cannot be opened.
struct MemoryWorkbooks
{
    using Sheet = QList<QStringList>;

    class Reader final : public WorkbookReader
    {
    public:
        explicit Reader(MemoryWorkbooks *books)
            : m_books(books)
        {}
        bool open(const QString &path, QString *error) override
        {
            m_books->opened << QFileInfo(path).fileName();
            const auto found = m_books->sheets.constFind(QFileInfo(path).fileName());
            if (found == m_books->sheets.cend()) {
                *error = QStringLiteral("Файл не найден.");
                return false;
            }
            m_sheet = *found;
            return true;
        }
        int rowCount() const override { return int(m_sheet.size()); }
        QString cell(int row, int column) const override
        {
            if (row < 1 || row > m_sheet.size() || column < 1 || column > m_sheet[row - 1].size())
                return QString();
            return m_sheet[row - 1][column - 1];
        }

    private:
        MemoryWorkbooks *m_books;
        Sheet m_sheet;
    };

    std::unique_ptr<WorkbookReader> make()
    {
        ++readersMade;
        return std::make_unique<Reader>(this);
    }

    QHash<QString, Sheet> sheets;
    QStringList opened;
    int readersMade = 0;
};

// The example of the workbook format: a title, two questions, the end marker.
inline MemoryWorkbooks::Sheet exampleSheet()
{
    return {
        {QStringLiteral("Пример анкеты")},
        {QStringLiteral("Вопрос 1"), QStringLiteral("Ответ A"), QStringLiteral("Результат A")},
        {QString(), QStringLiteral("Ответ B"), QStringLiteral("Результат B")},
        {QStringLiteral("Вопрос 2"), QStringLiteral("Ответ A"), QString()},
        {QStringLiteral("QUIT")},
    };
}
