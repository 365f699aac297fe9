#pragma once

#include "platform/release.h"

#include <QObject>
#include <QPixmap>
#include <QString>

class QLabel;

// The about tab's content: the picture, the credits and the link to the club's
// website, which opens in the desktop's default browser.
class AboutTab : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *clubAddress = PALMORA_HOMEPAGE;
    static constexpr int pictureWidth = 567;
    static constexpr int pictureHeight = 425;

    // Fills the picture and the credits and makes link a link; lives as long as link.
    // A link that takes the keyboard opens the site on Enter and Space too.
    AboutTab(QLabel *pictureLabel, QLabel *creditsLabel, QLabel *link);

    // Asks the desktop to show the club's website; a failure is not reported.
    void openSite();

    static QPixmap picture();
    static QString credits();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_link;
    bool m_pressed = false;
};
