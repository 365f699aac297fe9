#include "controls/virtualkey.h"

#include "platform/textcodec.h"

#include <Qt>

namespace {

struct Pair
{
    int qt;
    int code;
};

constexpr Pair kKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},  {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},      {Qt::Key_Pause, 19},  {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},     {Qt::Key_Left, 37},   {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},     {Qt::Key_Print, 44},  {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},     {Qt::Key_Menu, 93},   {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
};

} // namespace

int VirtualKey::fromQtKey(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    for (const Pair &p : kKeys) {
        if (p.qt == key)
            return p.code;
    }
    return 0;
}

int VirtualKey::asciiOf(QChar character)
{
    const QByteArray bytes = TextCodec::toCp1251(QStringView(&character, 1));
    return bytes.isEmpty() ? 0 : int(static_cast<unsigned char>(bytes.at(0)));
}
