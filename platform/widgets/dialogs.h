#pragma once

#include <QString>

class QWidget;

// Every message box and file dialog of the program goes through this seam: the
// windows are handed the dialogs they show, so a test can answer them without
// a modal loop.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Dialogs() = default;

    // A message box captioned "Palmora" with an OK button.
    virtual void message(QWidget *parent, const QString &text, Icon icon) = 0;
    // Filters are in the "Description|pattern|Description|pattern" form.
    // An empty result means the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter) = 0;

    // Qt's own message boxes and file dialogs, which the program shows.
    static Dialogs &system();

    static QString caption() { return QStringLiteral("Palmora"); }
    // "Image files (*.*)|*.*" -> "Image files (*.*)", "*.jpeg|*.jpg" -> "*.jpeg (*.jpg)":
    // the form Qt's dialog takes, each pattern shown once.
    static QString toQtFilter(const QString &filter);
};
