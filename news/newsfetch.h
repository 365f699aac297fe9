#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QNetworkAccessManager;
class QUrl;

// Downloads the news page while the event loop keeps running, so the windows
// stay usable, but never for longer than a fixed bound.
class NewsFetch
{
public:
    struct Page
    {
        QByteArray body;
        QString contentType;
    };

    static constexpr int defaultTimeoutMs = 9000;
    static constexpr qint64 defaultSizeLimit = 1024 * 1024;

    NewsFetch();
    ~NewsFetch();

    // The whole fetch, redirects included, ends after this many milliseconds.
    void setTimeout(int milliseconds);
    // A page with more bytes than this counts as no page.
    void setSizeLimit(qint64 bytes);

    // The page at an http or https address; nothing when it could not be had
    // (no connection, an error status, too slow, too large, or the program ends).
    std::optional<Page> get(const QUrl &address);

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
    int m_timeoutMs = defaultTimeoutMs;
    qint64 m_sizeLimit = defaultSizeLimit;
};
