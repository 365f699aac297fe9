#pragma once

#include <QTextBrowser>

// The browser view: shows local pages with a history of its own.
class WebBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // A file path or "about:blank".
    void navigate(const QString &address);
};
