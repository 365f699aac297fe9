#include "platform/widgets/richtextbox.h"

#include "platform/filehead.h"
#include "platform/linebreaks.h"
#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "platform/widgets/noticebanner.h"
#include "platform/widgets/rtfdocumentreader.h"

#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
    , m_notice(new NoticeBanner(this))
{
    setReadOnly(true);
    // Keeps the caret visible for the scrolling the article view relies on.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        // Formatting changes report equal counts; only edits change the text.
        if (!m_adopting && removed != added)
            m_stale = true;
    });
    m_selection = QTextCursor(document());
    auto follow = [this] {
        if (!m_syncing)
            m_selection = textCursor();
    };
    connect(this, &QTextEdit::cursorPositionChanged, this, follow);
    connect(this, &QTextEdit::selectionChanged, this, follow);
}

RichTextBox::~RichTextBox()
{
    endBatch();
}

namespace {

// Keeps the bytes up to the line break that ends line maxLines; true when
// anything followed it.
bool cutAtLine(QByteArray &bytes, qsizetype maxLines)
{
    qsizetype lines = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && ++lines >= maxLines) {
            const bool more = i + 1 < bytes.size();
            bytes.truncate(i + 1);
            return more;
        }
    }
    return false;
}

} // namespace

bool RichTextBox::loadFile(const QString &path, bool plainText)
{
    // Only a regular file is read, and only its beginning.
    const FileHead::Head head = FileHead::read(path, plainText ? maxTextBytes : maxRtfBytes);
    if (!head.readable)
        return false;

    endBatch();
    bool cut = head.cut;
    if (plainText || !RtfReader::isRtf(head.bytes)) {
        QByteArray bytes = head.bytes;
        if (bytes.size() > maxTextBytes) {
            bytes.truncate(FileHead::characterBoundary(bytes, maxTextBytes));
            cut = true;
        }
        if (cutAtLine(bytes, maxLines))
            cut = true;
        setText(LineBreaks::bound(TextCodec::decode(bytes)));
    } else {
        const RtfDocumentReader::Limits limits{maxRtfCharacters, maxRtfParagraphs, LineBreaks::maxLine};
        {
            QScopedValueRollback guard(m_adopting, true);
            if (!RtfDocumentReader::read(head.bytes, document(), limits))
                cut = true;
        }
        rebuildFromDocument();
        select(0, 0);
    }
    m_cut = cut;
    setNotice(cut ? QStringLiteral("Файл слишком велик, чтобы показать его целиком (%1): показано его начало.")
                        .arg(FileHead::sizeText(head.fileSize))
                  : QString());
    return true;
}

void RichTextBox::setNotice(const QString &text)
{
    setViewportMargins(0, m_notice->display(text), 0, 0);
}

QString RichTextBox::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void RichTextBox::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    setViewportMargins(0, m_notice->place(), 0, 0);
}

void RichTextBox::setText(const QString &text)
{
    // The document holds each CR LF as one break; lone CR or LF stay one character.
    QString normalized;
    normalized.reserve(text.size());
    std::vector<int> pairs;
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (p[i] == u'\r' && p[i + 1] == u'\n') {
            pairs.push_back(int(i));
            normalized.append(QStringView(p + from, i - from));
            from = i + 1;
            ++i;
        }
    }
    normalized.append(QStringView(p + from, n - from));
    endBatch();
    {
        QScopedValueRollback guard(m_adopting, true);
        // The widget would give the new text the format at its caret (say, a
        // highlighted place of the previous text): plain text comes unformatted.
        setCurrentCharFormat(QTextCharFormat());
        setPlainText(normalized);
    }
    m_text = text;
    m_pairs = std::move(pairs);
    m_stale = false;
    m_cut = false;
    setNotice(QString());
    select(0, 0);
}

QString RichTextBox::text() const
{
    ensureFresh();
    return m_text;
}

void RichTextBox::rebuildFromDocument() const
{
    QString out;
    std::vector<int> pairs;
    out.reserve(document()->characterCount() + document()->blockCount());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) {
            pairs.push_back(int(out.size()));
            out.append(u"\r\n");
        }
        const QString line = block.text();
        qsizetype from = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line.at(i) == QChar::LineSeparator) {
                out.append(QStringView(line).sliced(from, i - from));
                pairs.push_back(int(out.size()));
                out.append(u"\r\n");
                from = i + 1;
            }
        }
        out.append(QStringView(line).sliced(from));
    }
    m_text = out;
    m_pairs = std::move(pairs);
    m_stale = false;
}

void RichTextBox::ensureFresh() const
{
    // Someone may have changed the document behind our back (clear(), setHtml()).
    const qsizetype expected = m_text.size() - qsizetype(m_pairs.size());
    if (m_stale || document()->characterCount() - 1 != expected)
        rebuildFromDocument();
}

int RichTextBox::toDocumentPosition(int offset) const
{
    ensureFresh();
    offset = std::clamp(offset, 0, int(m_text.size()));
    // Every break that starts before the offset is one character shorter in the
    // document; an offset between CR and LF lands on the break itself.
    const auto before = std::lower_bound(m_pairs.begin(), m_pairs.end(), offset) - m_pairs.begin();
    return offset - int(before);
}

int RichTextBox::toTextOffset(int position) const
{
    ensureFresh();
    position = std::max(position, 0);
    // Break i sits at document position m_pairs[i] - i, increasing with i.
    std::size_t lo = 0;
    std::size_t hi = m_pairs.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (m_pairs[mid] - int(mid) < position)
            lo = mid + 1;
        else
            hi = mid;
    }
    return std::min(position + int(lo), int(m_text.size()));
}

void RichTextBox::select(int from, int to)
{
    m_selection.setPosition(from);
    m_selection.setPosition(to, QTextCursor::KeepAnchor);
    requestReveal();
}

void RichTextBox::requestReveal()
{
    if (m_revealPending)
        return;
    m_revealPending = true;
    QMetaObject::invokeMethod(this, &RichTextBox::reveal, Qt::QueuedConnection);
}

void RichTextBox::endBatch()
{
    if (m_batch.isNull())
        return;
    m_batch.endEditBlock();
    m_batch = QTextCursor();
}

void RichTextBox::reveal()
{
    m_revealPending = false;
    endBatch();
    QScopedValueRollback guard(m_syncing, true);
    setTextCursor(m_selection);
    ensureCursorVisible();
}

void RichTextBox::setSelStart(int offset)
{
    const int position = toDocumentPosition(offset);
    select(position, position);
}

int RichTextBox::selStart() const
{
    return toTextOffset(m_selection.selectionStart());
}

void RichTextBox::setSelLength(int length)
{
    const int start = selStart();
    select(toDocumentPosition(start), toDocumentPosition(start + std::max(length, 0)));
}

int RichTextBox::selLength() const
{
    return toTextOffset(m_selection.selectionEnd()) - toTextOffset(m_selection.selectionStart());
}

void RichTextBox::mergeSelection(const QTextCharFormat &format)
{
    if (!m_selection.hasSelection())
        return;
    if (m_batch.isNull()) {
        m_batch = QTextCursor(document());
        m_batch.beginEditBlock();
        requestReveal();
    }
    m_selection.mergeCharFormat(format);
}

void RichTextBox::setSelColor(const QColor &colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    mergeSelection(format);
}

void RichTextBox::setSelFontSize(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeSelection(format);
}

void RichTextBox::setSelBold(bool bold)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    mergeSelection(format);
}

void RichTextBox::setSelItalic(bool italic)
{
    QTextCharFormat format;
    format.setFontItalic(italic);
    mergeSelection(format);
}

void RichTextBox::setSelFormat(const QColor &colour, double points, bool bold, bool italic)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (points > 0)
        format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    mergeSelection(format);
}

void RichTextBox::showEvent(QShowEvent *event)
{
    QTextEdit::showEvent(event);
    // A caret set while hidden comes into view when the control is shown.
    requestReveal();
}
