#include "questionnaire/questionblocks.h"

#include "questionnaire/workbookreader.h"

namespace {

const QString kNoData = QStringLiteral("(нет данных)");

bool isBlank(const QString &text)
{
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

QuestionBlocks::QuestionBlocks(const WorkbookReader &reader)
    : m_reader(reader)
{}

QuestionBlocks::Row QuestionBlocks::read(int row) const
{
    Row cells{m_reader.cell(row, 1), m_reader.cell(row, 2), m_reader.cell(row, 3)};
    // A question made of spaces only counts as none.
    if (isBlank(cells.question))
        cells.question.clear();
    return cells;
}

bool QuestionBlocks::next(Block &block)
{
    block = Block();
    if (m_done)
        return false;
    const int rows = m_reader.rowCount();

    // Title and heading rows, without a question or without an answer, are passed over.
    Row cells;
    for (;; ++m_row) {
        if (m_row > rows) {
            m_done = true; // the data ends without an end marker
            m_passedOverAtEnd = block.passedOver;
            return false;
        }
        cells = read(m_row);
        if (!cells.question.isEmpty() && !cells.answer.isEmpty())
            break;
        if (!cells.isEmpty())
            block.passedOver << m_row;
    }
    block.row = m_row;
    block.question = cells.question;

    for (;;) {
        if (!cells.answer.isEmpty()) {
            if (block.answers.size() < maxAnswers) {
                block.answers << cells.answer;
                block.results << (cells.result.isEmpty() ? kNoData : cells.result);
            } else {
                ++block.answersLeftOut;
            }
        } else if (!cells.result.isEmpty()) {
            block.passedOver << m_row;
        }
        if (++m_row > rows) {
            m_done = true;
            return true;
        }
        cells = read(m_row);
        if (!cells.question.isEmpty())
            break;
    }
    if (cells.question.toLower() == QLatin1String("quit")) {
        m_done = true;
        m_markerRow = m_row;
    }
    return true;
}

QList<int> QuestionBlocks::passedOverAtEnd() const
{
    if (m_markerRow == 0)
        return m_passedOverAtEnd;
    QList<int> rows;
    for (int row = m_markerRow + 1; row <= m_reader.rowCount(); ++row) {
        if (!read(row).isEmpty())
            rows << row;
    }
    return rows;
}
