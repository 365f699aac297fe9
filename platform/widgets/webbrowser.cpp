#include "platform/widgets/webbrowser.h"

#include "platform/filehead.h"
#include "platform/htmllimit.h"
#include "platform/linebreaks.h"
#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "platform/widgets/noticebanner.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/rtfdocumentreader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString kBlank = QStringLiteral("about:blank");

bool isBlank(const QUrl &url)
{
    return url.toString() == kBlank;
}

} // namespace

WebBrowser::WebBrowser(QWidget *parent)
    : QTextBrowser(parent)
    , m_notice(new NoticeBanner(this))
{
    // Set once the page is in, for the page loadResource read.
    connect(this, &QTextBrowser::sourceChanged, this, [this] { setNotice(m_pageNotice); });
    setOpenLinks(true);
    // Pages of the knowledge base link to each other; links to the web open
    // in the desktop's browser, as this view renders local files only.
    setOpenExternalLinks(true);
}

void WebBrowser::navigate(const QString &address)
{
    if (address == kBlank) {
        setSource(QUrl(kBlank));
        clearHistory();
        m_hasDocument = true;
        return;
    }
    const QFileInfo file(address);
    if (!file.isFile())
        return;
    setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_hasDocument = true;
}

QString WebBrowser::documentText() const
{
    const QUrl url = source();
    if (isBlank(url) || !m_hasDocument)
        return QString();
    if (isPlainTextFile(url))
        return m_plainText;
    QString text = document()->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void WebBrowser::goBack()
{
    if (isBackwardAvailable())
        backward();
}

void WebBrowser::goForward()
{
    if (isForwardAvailable())
        forward();
}

bool WebBrowser::isPlainTextFile(const QUrl &url)
{
    return url.isLocalFile() && url.path().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

QString WebBrowser::decodeHtml(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:\\-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 4096)));
    const QRegularExpressionMatch match = charset.match(head);
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name == QLatin1String("windows-1251") || name == QLatin1String("cp1251")
            || name == QLatin1String("x-cp1251"))
            return TextCodec::fromCp1251(bytes);
        if (name == QLatin1String("utf-8") || name == QLatin1String("utf8"))
            return QString::fromUtf8(bytes);
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return TextCodec::decode(bytes);
}

QString WebBrowser::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void WebBrowser::setNotice(const QString &text)
{
    setViewportMargins(0, m_notice->display(text), 0, 0);
}

void WebBrowser::resizeEvent(QResizeEvent *event)
{
    QTextBrowser::resizeEvent(event);
    setViewportMargins(0, m_notice->place(), 0, 0);
}

QVariant WebBrowser::loadResource(int type, const QUrl &name)
{
    if (isBlank(name)) {
        m_pageNotice.clear();
        return QStringLiteral("<html></html>");
    }
    if (type == QTextDocument::ImageResource || type == QTextDocument::StyleSheetResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);

    // Only the beginning of a file is read, and no more of it is laid out
    // than the view can manage in about a second.
    const FileHead::Head head = FileHead::read(name.toLocalFile(), RichTextBox::maxRtfBytes);
    if (!head.readable)
        return QVariant();
    const QString tooLarge =
        QStringLiteral("Страница слишком велика, чтобы показать её целиком (%1): показано её начало.")
            .arg(FileHead::sizeText(head.fileSize));
    bool cut = head.cut;
    QString notice;
    QVariant page;
    if (isPlainTextFile(name) || !RtfReader::isRtf(head.bytes)) {
        QByteArray bytes = head.bytes;
        const qint64 maxBytes = isPlainTextFile(name) ? RichTextBox::maxTextBytes : 4 * HtmlLimit::maxCharacters;
        if (bytes.size() > maxBytes) {
            bytes.truncate(FileHead::characterBoundary(bytes, maxBytes));
            cut = true;
        }
        if (isPlainTextFile(name)) {
            // Shown as it is, line breaks and runs of spaces kept.
            m_plainText = TextCodec::decode(bytes);
            // A line too long to lay out quickly shows as several; its text stays whole.
            page = QStringLiteral("<html><body style=\"white-space: pre-wrap\">")
                + LineBreaks::bound(m_plainText).toHtmlEscaped() + QStringLiteral("</body></html>");
        } else {
            const HtmlLimit::Result bounded = HtmlLimit::bound(decodeHtml(bytes));
            cut = cut || bounded.cut;
            if (bounded.flattened)
                notice = QStringLiteral("Страница вложена слишком глубоко: часть её оформления не показана.");
            page = bounded.html;
        }
    } else {
        // An RTF article reads as it would in a word processor, not as its markup.
        QTextDocument rtf;
        const RtfDocumentReader::Limits limits{RichTextBox::maxRtfCharacters, RichTextBox::maxRtfParagraphs,
                                               LineBreaks::maxLine};
        if (!RtfDocumentReader::read(head.bytes, &rtf, limits))
            cut = true;
        page = rtf.toHtml();
    }
    if (cut)
        notice = notice.isEmpty() ? tooLarge : tooLarge + u' ' + notice;
    m_pageNotice = notice;
    return page;
}
