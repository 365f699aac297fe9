#include "platform/controlhost/pointerprobe.h"

#include <QCursor>

namespace {

PointerProbe::Source &source()
{
    static PointerProbe::Source current;
    return current;
}

} // namespace

QPoint PointerProbe::position()
{
    return source() ? source()() : QCursor::pos();
}

void PointerProbe::setSource(Source newSource)
{
    source() = std::move(newSource);
}
