#pragma once

#include "platform/widgets/dialogs.h"

#include <QStringList>

#include <functional>

// Answers the dialogs of the windows a test hands it to: records every message
// box and hands out the file names queued by the test (an empty name when none
// is queued).
class FakeDialogs final : public Dialogs
{
public:
    struct Message
    {
        QString text;
        Icon icon;
    };

    void message(QWidget *, const QString &text, Icon icon) override
    {
        messages.push_back({text, icon});
        if (onMessage)
            onMessage(text);
    }
    QString openFileName(QWidget *, const QString &title, const QString &filter) override
    {
        titles << title;
        filters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &title, const QString &filter) override
    {
        titles << title;
        filters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QList<Message> messages;
    QStringList fileNames;
    QStringList titles;
    QStringList filters;
    // Runs while the message "is on screen": a test checks the window's state there.
    std::function<void(const QString &)> onMessage;
};
