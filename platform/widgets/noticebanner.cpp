#include "platform/widgets/noticebanner.h"

#include <QAbstractScrollArea>

NoticeBanner::NoticeBanner(QAbstractScrollArea *view)
    : QLabel(view)
    , m_view(view)
{
    setObjectName(QStringLiteral("notice"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setMargin(4);
    hide();
}

int NoticeBanner::display(const QString &text)
{
    setText(text);
    setVisible(!text.isEmpty());
    return place();
}

int NoticeBanner::place()
{
    if (isHidden())
        return 0;
    // Above the viewport and as wide, clear of the scroll bar beside it.
    const QWidget *viewport = m_view->viewport();
    const int frame = m_view->frameWidth();
    const int width = std::max(viewport->width(), 1);
    const int height = heightForWidth(width);
    setGeometry(viewport->x(), frame, width, height);
    raise();
    return height;
}
