#pragma once

#include <QString>
#include <QStringView>

// The text a reader sees on an HTML page, worked out in one pass over its
// tags: no layout, no tree, so that time grows with the page's size alone
// however deeply its blocks nest. Scripts, styles and the title are not
// shown; blocks and line breaks start new lines; runs of blanks read as one;
// character references are resolved. Lines end in LF.
class HtmlText
{
public:
    static QString visibleText(QStringView html);
};
