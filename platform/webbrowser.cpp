#include "webbrowser.h"

#include <QUrl>

WebBrowser::WebBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(true);
}

void WebBrowser::navigate(const QString &address)
{
    if (address == QLatin1String("about:blank")) {
        clear();
        return;
    }
    setSource(QUrl::fromLocalFile(address));
}
