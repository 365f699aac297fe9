#include "platform/widgets/webbrowser.h"

#include "platform/rtfreader.h"
#include "platform/textcodec.h"
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
{
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

QVariant WebBrowser::loadResource(int type, const QUrl &name)
{
    if (isBlank(name))
        return QStringLiteral("<html></html>");
    if (type == QTextDocument::ImageResource || type == QTextDocument::StyleSheetResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);

    QFile file(name.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return QVariant();
    const QByteArray bytes = file.readAll();
    if (isPlainTextFile(name)) {
        // Shown as it is, line breaks and runs of spaces kept.
        m_plainText = TextCodec::decode(bytes);
        return QStringLiteral("<html><body style=\"white-space: pre-wrap\">") + m_plainText.toHtmlEscaped()
               + QStringLiteral("</body></html>");
    }
    if (RtfReader::isRtf(bytes)) {
        // An RTF article reads as it would in a word processor, not as its markup.
        QTextDocument rtf;
        RtfDocumentReader::read(bytes, &rtf);
        return rtf.toHtml();
    }
    return decodeHtml(bytes);
}
