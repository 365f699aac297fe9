#pragma once

#include <QChar>
#include <QString>

// Qt lays out a line in time that grows with the square of its length when
// nothing in it may be broken (one long word, a base64 blob, a file of NUL
// bytes), and a single long paragraph of any kind costs it more than many
// short ones. A view therefore shows a line of more than maxLine characters
// as several: it breaks after a blank or a mark that ends a word near the
// bound when there is one, and at the bound otherwise.
class LineBreaks
{
public:
    static constexpr qsizetype maxLine = 2000;

    // Counts the characters of a line as they come and says where to break.
    class Counter
    {
    public:
        explicit Counter(qsizetype max = maxLine)
            : m_max(max)
        {}
        // Whether a break goes before c, which comes next (counted in).
        bool breakBefore(QChar c)
        {
            const bool pair = m_previous.isHighSurrogate() && c.isLowSurrogate();
            m_previous = c;
            const bool breaks = m_breakNext && !pair;
            if (breaks) {
                m_breakNext = false;
                m_length = 0;
            }
            ++m_length;
            // After a blank or a mark that ends a word (a dash, a slash, a
            // comma...) near the bound, or at the bound (never inside a
            // surrogate pair: the next character then takes the break).
            if ((m_length >= m_max - m_max / 10 && endsAWord(c)) || m_length >= m_max)
                m_breakNext = true;
            return breaks;
        }
        // A break of the text's own: the count starts again.
        void lineEnded()
        {
            m_length = 0;
            m_breakNext = false;
        }

    private:
        static bool endsAWord(QChar c)
        {
            switch (c.category()) {
            case QChar::Separator_Space:
            case QChar::Punctuation_Dash:
            case QChar::Punctuation_Close:
            case QChar::Punctuation_Other:
                // An apostrophe belongs to its word.
                return c != u'\'';
            default:
                return c.isSpace();
            }
        }

        qsizetype m_max;
        qsizetype m_length = 0;
        bool m_breakNext = false;
        QChar m_previous;
    };

    // The text with a line feed put where a line runs past max; its own
    // breaks (CR, LF) stay as they are. Sets *broken when any was put.
    static QString bound(const QString &text, qsizetype max = maxLine, bool *broken = nullptr);
};
