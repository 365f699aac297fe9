#pragma once

#include <QString>
#include <QStringView>

// One pass over HTML's tags, shared by everything that reads HTML without
// laying it out: the name of a tag and where it ends.
class HtmlTag
{
public:
    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u':' || c == u'_'; }

    // The tag whose name starts at nameStart: its name in lower case and the
    // position just past its '>' (the end of the text when it has none).
    // Quoted attribute values may hold '>'.
    static HtmlTag read(QStringView html, qsizetype nameStart);
    // Where the end tag of an element named `name` (lower case) starts, from
    // `from` on, in any case and of that whole name (</scriptx> ends no
    // script); -1 when there is none.
    static qsizetype findEndTag(QStringView html, qsizetype from, const QString &name);

    QString name;
    qsizetype end = 0;
    bool finished = false; // its '>' was found
};
