#pragma once

#include <QLabel>

class QAbstractScrollArea;

// A notice over the top of a document view ("only the beginning is shown"),
// outside the document itself, so the text the view holds is the file's.
// The view leaves room for it above its viewport.
class NoticeBanner : public QLabel
{
    Q_OBJECT
public:
    explicit NoticeBanner(QAbstractScrollArea *view);

    // Sets the notice, or hides it when empty. The height the view must leave
    // free above its viewport, 0 when hidden.
    int display(const QString &text);
    // Follows the view's size; the height to leave free, as display() gives it.
    int place();

private:
    QAbstractScrollArea *m_view;
};
