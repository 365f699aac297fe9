#pragma once

#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <functional>
#include <initializer_list>

// Plays the user's part in a questionnaire run: each time the run waits, the
// next step acts on the window from inside the event loop, as a click would.
class FormScript : public QObject
{
public:
    using Step = std::function<void(Form2 *)>;

    explicit FormScript(Form2 *form)
    {
        connect(
            form, &Form2::waiting, this,
            [this, form] {
                const Form2Controls controls(*form);
                QListWidget *list = controls.visibleList();
                labels << controls.Label1->text();
                QStringList entries;
                for (int i = 0; i < list->count(); ++i)
                    entries << list->item(i)->text();
                lists << entries.join(QLatin1Char('|'));
                if (steps.isEmpty()) {
                    ranOut = true; // never leave a run waiting for a user who is not there
                    controls.Command3->click();
                    return;
                }
                steps.takeFirst()(form);
            },
            Qt::QueuedConnection);
    }

    // Selects these entries of the visible list, then presses "Далее".
    static Step next(std::initializer_list<int> rows = {})
    {
        const QList<int> chosen(rows);
        return [chosen](Form2 *form) {
            const Form2Controls controls(*form);
            QListWidget *list = controls.visibleList();
            for (int row : chosen)
                list->item(row)->setSelected(true);
            controls.Command2->click();
        };
    }
    static Step stop()
    {
        return [](Form2 *form) { Form2Controls(*form).Command3->click(); };
    }

    QList<Step> steps;
    // Label1 and the visible list's entries at each wait.
    QStringList labels;
    QStringList lists;
    bool ranOut = false;
};
