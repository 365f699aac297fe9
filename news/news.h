#pragma once

#include "news/messagestore.h"
#include "news/newsfetch.h"
#include "platform/installation.h"
#include "platform/safefile.h"

#include <QDateTime>
#include <QPointer>
#include <QStringList>

class Dialogs;
class QPlainTextEdit;
class QWidget;

// The news fetch: fetches the club's page named in news.ini, announces a
// message not seen before, keeps it in mes.txt and allmes.txt and shows the
// archive in the news text box.
class News
{
public:
    // news.ini is read from the installation and the messages kept there,
    // written through files; Text4, the news tab's text box, shows the
    // archive; the message boxes are shown by dialogs, centred on dialogParent.
    News(const Installation &installation, QPlainTextEdit *Text4, QWidget *dialogParent, Dialogs &dialogs,
         SafeFile files = SafeFile());
    ~News();

    // Get_Mes fetches the news. By_User: the user asked, so a failure to get
    // the page is reported.
    void Get_Mes(bool By_User);

    NewsFetch &fetch() { return m_fetch; }

private:
    void forgetUnsaved();

    Installation m_installation;
    MessageStore m_store;
    QPointer<QPlainTextEdit> m_text4;
    QPointer<QWidget> m_dialogParent;
    Dialogs &m_dialogs;
    NewsFetch m_fetch;
    SafeFile m_files;
    // The last page this run could not keep, and the entries it would have
    // added to the archive, newest first: the news tab shows them all the same.
    QString m_unsavedPage;
    QDateTime m_unsavedWhen;
    QStringList m_unsavedEntries;
};
