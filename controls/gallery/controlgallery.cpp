#include "controls/gallery/controlgallery.h"

#include "controls/xpcheckbox.h"
#include "controls/xpcmdbutton.h"
#include "controls/xpgroupbox.h"
#include "controls/xpradiobutton.h"
#include "platform/controlhost/colorvalue.h"

namespace {

template <typename T>
T *place(QWidget *container, const char *name, QRect geometry)
{
    auto *control = new T(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    control->initProperties();
    return control;
}

} // namespace

ControlGallery::ControlGallery(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ControlGallery"));
    setWindowTitle(QStringLiteral("Элементы управления"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    resize(420, 250);

    static const char *const kCheckCaptions[] = {"Не отмечен", "Отмечен", "Частично", "Недоступен"};
    for (int i = 0; i < 4; ++i) {
        checkBoxes[i] = place<xpcheckbox>(this, QByteArray("xpcheckbox" + QByteArray::number(i + 1)).constData(),
                                          QRect(16, 16 + 28 * i, 170, 20));
        checkBoxes[i]->setCaption(QString::fromUtf8(kCheckCaptions[i]));
        checkBoxes[i]->setValue(i == 3 ? 1 : i);
    }
    checkBoxes[3]->setEnabled(false);

    frames[0] = place<xpgroupbox>(this, "xpgroupbox1", QRect(210, 12, 190, 84));
    frames[0]->setCaption(QStringLiteral("Режим поиска"));
    frames[1] = place<xpgroupbox>(this, "xpgroupbox2", QRect(210, 104, 190, 56));
    frames[1]->setCaption(QStringLiteral("Другой режим"));
    for (xpgroupbox *frame : frames)
        frame->setBackColor(ColorValue::system(ColorValue::buttonFace));

    radioButtons[0] = place<xpradiobutton>(frames[0], "xpradiobutton1", QRect(12, 24, 170, 20));
    radioButtons[0]->setCaption(QStringLiteral("По словам"));
    radioButtons[0]->setValue(true);
    radioButtons[1] = place<xpradiobutton>(frames[0], "xpradiobutton2", QRect(12, 52, 170, 20));
    radioButtons[1]->setCaption(QStringLiteral("По фразе"));
    radioButtons[2] = place<xpradiobutton>(frames[1], "xpradiobutton3", QRect(12, 24, 170, 20));
    radioButtons[2]->setCaption(QStringLiteral("По названию"));

    static const char *const kCommandCaptions[] = {"&Найти", "&Далее", "Хватит"};
    for (int i = 0; i < 3; ++i) {
        commandButtons[i] = place<xpcmdbutton>(this, QByteArray("xpcmdbutton" + QByteArray::number(i + 1)).constData(),
                                               QRect(16 + 132 * i, 190, 120, 32));
        commandButtons[i]->setCaption(QString::fromUtf8(kCommandCaptions[i]));
    }
    commandButtons[1]->setState(1);
    commandButtons[2]->setEnabled(false);
}
