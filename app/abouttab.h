#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

class Form1;
class QLabel;

// The about tab's content: the picture, the credits and the link to the club's
// website, which opens in the desktop's default browser.
class AboutTab : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *clubAddress = "http://www.velmaris.ru";
    static constexpr int pictureWidth = 567;
    static constexpr int pictureHeight = 425;

    // Fills Image3 and Label8 and makes Label9 a link.
    explicit AboutTab(Form1 *window);

    static QPixmap picture();
    static QString credits();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_link;
    bool m_pressed = false;
};
