#pragma once

#include <QColor>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include <vector>

class NoticeBanner;

// The rich-text control: loads a file as rich text or plain text and exposes the
// caret and selection in offsets of the text that text() returns. A line break
// is CR LF there (two characters) but one position in the document; the control
// maps between the two.
class RichTextBox : public QTextEdit
{
    Q_OBJECT
public:
    // What the control lays out of a file: about a second's work at most,
    // whatever the file (Qt lays out a few hundred thousand characters or
    // lines a second). A longer file shows its beginning under a notice.
    static constexpr qint64 maxTextBytes = 512 * 1024;
    static constexpr qsizetype maxLines = 100'000;
    static constexpr qint64 maxRtfBytes = 64 * 1024 * 1024;
    static constexpr qsizetype maxRtfCharacters = 512 * 1024;
    static constexpr qsizetype maxRtfParagraphs = 50'000;

    explicit RichTextBox(QWidget *parent = nullptr);
    ~RichTextBox() override;

    // Rich text: an RTF file shows formatted; any other file shows as text.
    // Plain text: the file becomes the text, unformatted.
    // Either way a line longer than LineBreaks::maxLine shows as several, and
    // the text has a line feed where it was broken.
    // Returns false when the file cannot be read; the control then keeps its text.
    bool loadFile(const QString &path, bool plainText = false);
    // Whether the file last loaded was too large to show whole: the text is
    // its beginning, and a notice over the text says so.
    bool isCut() const { return m_cut; }

    // A notice over the text, outside it; empty hides it.
    void setNotice(const QString &text);
    QString notice() const;

    // Replaces the text, unformatted; text() then returns it unchanged.
    void setText(const QString &text);

    // The whole text; paragraphs and line breaks of rich text read as CR LF,
    // a plain-text file reads as it was, but for the line feeds that break
    // a line too long to lay out.
    QString text() const;

    // Offsets count the characters of text(), from 0.
    void setSelStart(int offset);
    int selStart() const;
    void setSelLength(int length);
    int selLength() const;

    // Formats for the selected characters only.
    void setSelColor(const QColor &colour);
    void setSelFontSize(double points);
    void setSelBold(bool bold);
    void setSelItalic(bool italic);
    // All four at once: one change of the document instead of four, for
    // callers that format thousands of places.
    void setSelFormat(const QColor &colour, double points, bool bold, bool italic);

    // Document position of a text offset, and back.
    int toDocumentPosition(int offset) const;
    int toTextOffset(int position) const;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void adoptText(const QString &text);
    void rebuildFromDocument() const;
    void ensureFresh() const;
    void mergeSelection(const QTextCharFormat &format);
    void select(int from, int to);
    void requestReveal();
    void reveal();
    void endBatch();

    // The text as text() returns it and where its two-character breaks start.
    mutable QString m_text;
    mutable std::vector<int> m_pairs;
    mutable bool m_stale = false;
    bool m_adopting = false;
    // The selection the offsets speak of. Kept apart from the widget's cursor so
    // that thousands of selections do not each repaint and scroll; the widget
    // catches up once, when control returns to the event loop.
    QTextCursor m_selection;
    bool m_revealPending = false;
    bool m_syncing = false;
    // Formats applied in one turn of the event loop form one edit, so that the
    // layout catches up once rather than after each of them.
    QTextCursor m_batch;
    NoticeBanner *m_notice;
    bool m_cut = false;
};
