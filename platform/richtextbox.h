#pragma once

#include <QTextEdit>

// The rich-text control: loads a file as rich text or plain text and exposes the
// caret and selection in offsets of the text that text() returns.
class RichTextBox : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // Rich text: an RTF file shows formatted; any other file shows as text.
    // Returns false when the file cannot be read; the control then keeps its text.
    bool loadFile(const QString &path, bool plainText = false);
    QString text() const;
};
