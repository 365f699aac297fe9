#pragma once

#include <QString>
#include <QStringView>

// Bounds what an HTML page asks of a layout engine. Qt lays out nested
// elements in time that grows with the square of their depth, and nested
// tables far worse (twenty deep take seconds): elements nested past the
// bounds lose their tags, though never their text, and a page longer than
// the bound is cut at a tag with what is open closed. A long run of text
// without a blank gets invisible break opportunities. One pass, no tree.
class HtmlLimit
{
public:
    static constexpr int maxDepth = 256;
    static constexpr int maxTableDepth = 6;
    static constexpr qsizetype maxCharacters = 256 * 1024;
    // Characters of text without a blank between two break opportunities.
    static constexpr qsizetype maxRun = 500;

    struct Result
    {
        QString html;
        bool cut = false;       // the page was longer than maxCharacters
        bool flattened = false; // tags nested past the bounds were left out
        bool broken = false;    // a long run got break opportunities
    };

    static Result bound(QStringView html, qsizetype maxChars = maxCharacters);
};
