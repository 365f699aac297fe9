#pragma once

#include "news/messagestore.h"
#include "news/newsfetch.h"
#include "platform/installation.h"
#include "platform/safefile.h"

#include <QPointer>

class QPlainTextEdit;
class QWidget;

// The news fetch: fetches the club's page named in news.ini, announces a
// message not seen before, keeps it in mes.txt and allmes.txt and shows the
// archive in the news text box.
class News
{
public:
    // news.ini is read from the installation and the messages kept there;
    // Text4 shows the archive; message boxes are centred on dialogParent.
    News(const Installation &installation, QPlainTextEdit *Text4, QWidget *dialogParent);
    ~News();

    // By_User: the user asked, so a failure to get the page is reported.
    void Get_Mes(bool By_User);

    NewsFetch &fetch() { return m_fetch; }
    // Where mes.txt and allmes.txt are written through.
    void setFileWriter(SafeFile files) { m_files = std::move(files); }

private:
    Installation m_installation;
    MessageStore m_store;
    QPointer<QPlainTextEdit> m_text4;
    QPointer<QWidget> m_dialogParent;
    NewsFetch m_fetch;
    SafeFile m_files;
};
