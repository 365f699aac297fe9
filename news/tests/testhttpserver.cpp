#include "news/tests/testhttpserver.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

TestHttpServer::~TestHttpServer()
{
    m_server.close();
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void TestHttpServer::setAnswer(const QString &path, const Answer &answer)
{
    m_answers.insert(path, answer);
}

void TestHttpServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TestHttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    const qsizetype headerEnd = request.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    socket->setProperty("request", QByteArray());

    // "GET /path HTTP/1.1"
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(requestLine.value(1));
    ++m_requests[path];

    Answer answer;
    if (m_answers.contains(path)) {
        answer = m_answers.value(path);
    } else {
        answer.status = 404;
        answer.contentType = "text/html";
        answer.body = "<html><body><h1>Not Found</h1></body></html>";
    }
    if (answer.silent)
        return;

    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reason(answer.status) + "\r\n";
    if (!answer.contentType.isEmpty())
        head += "Content-Type: " + answer.contentType + "\r\n";
    if (!answer.location.isEmpty())
        head += "Location: " + answer.location + "\r\n";
    if (answer.withLength)
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (answer.floodHeaders) {
        socket->write("HTTP/1.1 200 OK\r\n");
        // Keep the socket's buffer topped up, never ending the head.
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [socket] {
            static const QByteArray lines =
                QByteArray("X-Flood: ").append(QByteArray(100, 'x')).append("\r\n").repeated(1000);
            if (socket->bytesToWrite() < lines.size())
                socket->write(lines);
        });
        timer->start(0);
        return;
    }
    if (answer.trickleMs > 0) {
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, rest = head + answer.body]() mutable {
            if (rest.isEmpty()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(rest.left(1));
            rest.remove(0, 1);
        });
        timer->start(answer.trickleMs);
        return;
    }
    const auto send = [socket, head, body = answer.body] {
        socket->write(head);
        socket->write(body);
        socket->disconnectFromHost();
    };
    if (answer.delayMs > 0)
        QTimer::singleShot(answer.delayMs, socket, send);
    else
        send();
}
