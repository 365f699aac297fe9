#pragma once

#include <QPoint>

#include <functional>

// Where the pointer is, in screen pixels. The controls that poll for the
// pointer leaving them ask here, so that a test can put the pointer where its
// simulated mouse events say it is.
class PointerProbe
{
public:
    using Source = std::function<QPoint()>;

    static QPoint position();
    // An empty source gives the position back to the platform's cursor.
    static void setSource(Source source);
};
