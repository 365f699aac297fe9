#pragma once

#include <QColor>
#include <QTest>

// The rows of a border strip's five lines, outside in, for the tests that
// check them on the artwork and on each window.
inline void addBorderLineRows()
{
    QTest::addColumn<int>("fromOutside");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("outer line") << 0 << QColor(102, 102, 126);
    QTest::newRow("highlight") << 1 << QColor(251, 252, 253);
    QTest::newRow("inner line") << 2 << QColor(102, 102, 126);
    QTest::newRow("client side 1") << 3 << QColor(224, 223, 227);
    QTest::newRow("client side 2") << 4 << QColor(224, 223, 227);
}
