#include "platform/widgets/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

class DesktopDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, Icon icon) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(caption());
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        }
        box.exec();
    }

    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, QString(), toQtFilter(filter));
    }

    QString saveFileName(QWidget *parent, const QString &title, const QString &filter) override
    {
        // The name is used exactly as chosen: no extension is added.
        return QFileDialog::getSaveFileName(parent, title, QString(), toQtFilter(filter));
    }
};

} // namespace

Dialogs &Dialogs::system()
{
    static DesktopDialogs desktop;
    return desktop;
}

QString Dialogs::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt shows the whole entry and takes its patterns from the last
        // brackets, or from the entry itself when it has none: a pattern the
        // description already shows is not shown again.
        const QString bracketed = QStringLiteral(" (") + patterns + QLatin1Char(')');
        if (description == patterns || description.endsWith(bracketed))
            out << description;
        else
            out << description + bracketed;
    }
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}
