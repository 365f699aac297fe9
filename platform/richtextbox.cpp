#include "richtextbox.h"

#include "textcodec.h"

#include <QFile>

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
}

bool RichTextBox::loadFile(const QString &path, bool)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    setPlainText(TextCodec::decode(file.readAll()));
    return true;
}

QString RichTextBox::text() const
{
    return toPlainText();
}
