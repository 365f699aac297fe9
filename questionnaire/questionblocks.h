#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class WorkbookReader;

// The questions of a workbook, one block at a time, as the questionnaire
// asks them: a question and its answers start at a row whose columns 1 and
// 2 both hold something; the rows after it with column 1 empty add answers;
// the next row with column 1 filled ends the block, and the questionnaire
// when it holds the end marker "quit". Rows are read only up to the one
// that ends the block, so the next question is not read before it is asked.
class QuestionBlocks
{
public:
    static constexpr int maxAnswers = 1001;

    struct Block
    {
        int row = 0;
        QString question;
        QStringList answers;
        // The result text of each answer ("(нет данных)" for an empty one).
        QStringList results;
        // Rows passed over on the way to the question, or within the block,
        // that hold something (a title, a heading, a result without an answer).
        QList<int> passedOver;
        // Answers beyond the most a question takes.
        int answersLeftOut = 0;
    };

    // The reader must stay open while blocks are read.
    explicit QuestionBlocks(const WorkbookReader &reader);

    // False when the questionnaire is over.
    bool next(Block &block);
    // Where the end marker was found; 0 while none was.
    int markerRow() const { return m_markerRow; }
    // Once the questionnaire is over: the rows with something in them that
    // no question took, after the end marker or after the last block.
    QList<int> passedOverAtEnd() const;

private:
    struct Row
    {
        QString question, answer, result;
        bool isEmpty() const { return question.isEmpty() && answer.isEmpty() && result.isEmpty(); }
    };
    Row read(int row) const;

    const WorkbookReader &m_reader;
    int m_row = 1;
    bool m_done = false;
    int m_markerRow = 0;
    QList<int> m_passedOverAtEnd;
};
