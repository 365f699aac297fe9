#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QSizeF>

class Dialogs;
class QLabel;
class QAbstractButton;
class QWidget;

// The palm photo on the photo tab: a click on the photo or the prompt over it
// opens a picture, the paste button takes one from the clipboard, the save
// button writes it as JPEG at its own size. The photo is shown as wide as its
// control's design width, with its proportions kept.
class PhotoWorkspace : public QObject
{
    Q_OBJECT
public:
    static double photoWidthTwips();
    static constexpr int jpegQuality = 80;

    // image1 shows the photo stretched, label3 is the prompt over it, image2 is
    // the hidden probe that takes a picture's natural size. Not owned; the
    // window that holds them owns the workspace and ends it before them. The
    // dialogs are shown by dialogs, centred on dialogParent.
    PhotoWorkspace(QLabel *image1, QLabel *label3, QLabel *image2, QAbstractButton *command3, QAbstractButton *command6,
                   QWidget *dialogParent, Dialogs &dialogs);
    ~PhotoWorkspace() override;

    void openPhoto();
    void pastePhoto();
    void savePhoto();

    bool hasPhoto() const { return !m_photo.isNull(); }
    // While a picture is read, scaled or saved on a thread of its own.
    bool isBusy() const { return m_busy; }
    // The picture placed, at its own size.
    const QImage &photo() const { return m_photo; }
    // The photo's size as laid out, in twips.
    QSizeF photoTwips() const { return m_twips; }

Q_SIGNALS:
    // A picture is being read, scaled or saved (true), or that is over
    // (false): the window shows its busy notice meanwhile.
    void busyChanged(bool busy);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A picture as it is placed: kept compact, with a copy of the size it is shown at.
    struct Placed
    {
        QImage picture;
        QImage shown;
    };
    static Placed prepare(QImage picture, QSize shown);
    void place(const Placed &placed);
    // Runs work off the user-interface thread under a wait cursor.
    template <class Work>
    auto whileBusy(Work work);

    QLabel *m_image1;
    QLabel *m_label3;
    QLabel *m_image2;
    QWidget *m_dialogParent;
    Dialogs &m_dialogs;
    QImage m_photo;
    QSizeF m_twips;
    bool m_busy = false;
};
