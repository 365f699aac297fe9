#include "news/newsfetch.h"

#include "news/newslog.h"
#include "platform/eventloop.h"
#include "platform/release.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int kMaxRedirects = 10;
}

NewsFetch::NewsFetch() = default;

NewsFetch::~NewsFetch()
{
    // The manager's network thread may still be busy with what a hostile
    // server sent (a flood of headers): destroying the manager waits for that
    // thread, for seconds. It goes when the event loop next runs instead, and
    // at the end of the program not at all, so that closing never waits.
    if (m_manager)
        m_manager.release()->deleteLater();
}

void NewsFetch::setTimeout(int milliseconds)
{
    m_timeoutMs = milliseconds;
}

void NewsFetch::setSizeLimit(qint64 bytes)
{
    m_sizeLimit = bytes;
}

std::optional<NewsFetch::Page> NewsFetch::get(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        qCInfo(lcNews).noquote() << "news not fetched from" << address.toString() << "- not an http or https address";
        return std::nullopt;
    }
    if (EventLoop::quitRequested())
        return std::nullopt;

    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(address);
    // Never from https down to http: the page is shown to the user as the club's word.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Palmora/" PALMORA_VERSION));

    QNetworkReply *reply = m_manager->get(request);
    QByteArray body;
    bool tooLarge = false;
    QEventLoop loop;

    const auto refuse = [&] {
        tooLarge = true;
        loop.quit();
    };
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // A redirect's own body is not the page.
    QObject::connect(reply, &QNetworkReply::redirected, &loop, [&] { body.clear(); });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_sizeLimit)
            refuse();
    });
    // Read as it arrives so that an oversized page is dropped as soon as it
    // grows past the limit, not after it has filled the memory.
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (tooLarge)
            return;
        body += reply->read(m_sizeLimit + 1 - body.size());
        if (body.size() > m_sizeLimit)
            refuse();
    });

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(m_timeoutMs);
    loop.exec();
    deadline.stop();

    const bool finished = reply->isFinished();
    reply->disconnect(&loop);
    if (!finished)
        reply->abort();

    std::optional<Page> page;
    // Why there is no page, for the news log; the program ending is no failure.
    QString failure;
    if (EventLoop::quitRequested()) {
        // Nothing to say.
    } else if (tooLarge) {
        failure = QStringLiteral("larger than %1 bytes").arg(m_sizeLimit);
    } else if (!finished) {
        failure = QStringLiteral("no answer within %1 ms").arg(m_timeoutMs);
    } else if (reply->error() != QNetworkReply::NoError) {
        failure = reply->errorString();
    } else {
        body += reply->read(m_sizeLimit + 1 - body.size());
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (body.size() > m_sizeLimit)
            failure = QStringLiteral("larger than %1 bytes").arg(m_sizeLimit);
        else if (status < 200 || status >= 300)
            failure = QStringLiteral("HTTP status %1").arg(status);
        else
            page = Page{body, reply->header(QNetworkRequest::ContentTypeHeader).toString()};
    }
    if (!failure.isEmpty())
        qCInfo(lcNews).noquote() << "news not fetched from" << address.toString() << "-" << failure;
    delete reply;
    return page;
}
