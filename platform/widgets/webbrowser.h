#pragma once

#include <QTextBrowser>

class NoticeBanner;

// The browser view: shows local pages with a history of its own. Links inside a
// page open in the view; links to the web open in the desktop's browser.
class WebBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // A file path or "about:blank". The page is there when the call returns;
    // "about:blank" also starts a fresh history. A missing file leaves the page
    // on show as it was.
    void navigate(const QString &address);

    // False until a first page has loaded.
    bool hasDocument() const { return m_hasDocument; }

    // The page's visible text with CR LF line breaks; "" for "about:blank";
    // a plain-text page exactly as its file reads.
    QString documentText() const;

    // One page back or forward in the history; nothing when there is none.
    void goBack();
    void goForward();

    // How an HTML file's bytes become text: the charset it declares, else the
    // program's one decoding of text files.
    static QString decodeHtml(const QByteArray &bytes);

    // The notice over a page too large or too deeply nested to show whole;
    // empty when the page is shown as it is.
    QString notice() const;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static bool isPlainTextFile(const QUrl &url);

    void setNotice(const QString &text);

    bool m_hasDocument = false;
    bool m_plain = false;
    QString m_plainText;
    NoticeBanner *m_notice;
    QString m_pageNotice; // for the page being loaded
};
