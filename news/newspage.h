#pragma once

#include <QByteArrayView>
#include <QString>

// How the downloaded news page reads as text.
class NewsPage
{
public:
    // The text a reader of the page sees: decoded by the charset the server
    // names (the program's own text decoding otherwise), and for an HTML page
    // its visible text rather than its markup. Line breaks are CR LF; a NUL
    // never reaches it, and half a surrogate pair reads as U+FFFD.
    static QString text(QByteArrayView body, const QString &contentType);

    // The page carries news when its text begins with "[news]", in any case.
    static bool hasMarker(const QString &text);
    // The message: everything after the marker.
    static QString message(const QString &text);

    // Every kind of line break becomes CR LF, as the program's text files have it.
    static QString withCrLf(const QString &text);
};
