#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for the news tests: serves the answers
// the test sets per path, and can also play a hostile server: accept a request
// and never answer, trickle the answer a byte at a time, or send headers
// without end.
class TestHttpServer : public QObject
{
    Q_OBJECT
public:
    struct Answer
    {
        int status = 200;
        QByteArray contentType = "text/plain";
        QByteArray body;
        QByteArray location;       // sent as Location when not empty
        bool withLength = true;    // Content-Length, or the body ends with the connection
        bool silent = false;       // read the request, never answer
        int delayMs = 0;           // answer only after this long
        int trickleMs = 0;         // send the answer a byte at a time, this far apart
        bool floodHeaders = false; // send header lines without end, as fast as they go
    };

    TestHttpServer();
    ~TestHttpServer() override;

    bool isListening() const { return m_server.isListening(); }
    QUrl url(const QString &path) const;
    void setAnswer(const QString &path, const Answer &answer);
    // Requests received for a path.
    int requests(const QString &path) const { return m_requests.value(path); }

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    QHash<QString, int> m_requests;
};
