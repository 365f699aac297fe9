#pragma once

#include "platform/controlhost/windowstaterequest.h"
#include "skin/borderdrag.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

class PropertyStore;
class SkinStrip;
class QLabel;
class QMouseEvent;

// The window's own frame: a title strip with the icon and the caption, border
// strips on the left, right and bottom, and inside them the client area, where
// the window's controls lie. It fills its host window, shows the active or
// inactive look as the window is activated, moves the window by its title and
// resizes it by its border strips.
class xp_canvas : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QImage Icon READ icon WRITE setIcon)
    // Fixed_Single: a window of fixed size; the border strips do not resize it.
    Q_PROPERTY(bool Fixed_Single READ fixedSingle WRITE setFixedSingle)
public:
    // The pictures one look paints from.
    struct Skin
    {
        QImage top;    // title, normal state
        QImage topmax; // title, maximised
        QImage left;
        QImage right;
        QImage bottom;
    };

    static constexpr int titleHeight = 29;
    static constexpr int borderSize = 5;
    static constexpr QPoint iconPlace{6, 8};
    static constexpr int iconSide = 16;
    static constexpr QPoint captionPlace{26, 6};
    static constexpr QColor clientColour{224, 223, 227};

    // The frame lies on the host window, under everything else placed there.
    // The title-bar buttons and the caption ask for the window's new states
    // through requestState.
    explicit xp_canvas(QWidget *host, WindowStateRequest::Handler requestState = &WindowStateRequest::ask);

    // The settings of a newly placed frame, or those kept in the window's
    // design data; and writing them back, each under its key.
    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    // The caption is also the host window's own title.
    QString caption() const;
    void setCaption(const QString &caption);
    QImage icon() const { return m_icon; }
    void setIcon(const QImage &picture);
    // A fixed frame does not resize or maximise its window; its title still moves it.
    bool fixedSingle() const { return m_fixedSingle; }
    void setFixedSingle(bool fixed);

    // Replaces the artwork. The inactive look shares the active pictures
    // except for the maximised title.
    void setSkins(const Skin &active, const QImage &inactiveTopMax);
    const Skin &activeSkin() const { return m_active; }
    const Skin &inactiveSkin() const { return m_inactive; }
    const Skin &currentSkin() const { return m_current; }

    void ApplyActiveSkin();
    void ApplyInactiveSkin();
    // Docks and paints the strips from the current look, places the caption,
    // sets the border cursors and raises Resize.
    void LayoutFrame();

    // Shows the active look.
    void SetFocus();
    // Paints the end caps of the normal title onto the window's background.
    void make_trans(QWidget *window);
    // Keeps the window above the others (or no longer, when flag is false);
    // flag then tells whether that worked.
    void AlwaysOnTop(QWidget *window, bool &flag);

    // The title-bar buttons' and the caption's changes of the window's state.
    // The frame's idea of the state follows what the window system really did:
    // where nothing can show a minimised window, the window stays as it is;
    // where no window manager maximises, the frame fills the screen's available
    // area itself. A fixed frame maximises nothing.
    void minimiseWindow();
    void maximiseOrRestore();

    // Cursor positions in screen pixels at the last press and release on a border strip.
    QPoint pressPoint() const { return m_pressPoint; }
    QPoint releasePoint() const { return m_releasePoint; }

    SkinStrip *pictop = nullptr;
    SkinStrip *picbottom = nullptr;
    SkinStrip *picleft = nullptr;
    SkinStrip *picright = nullptr;
    QLabel *imgicon;
    QLabel *lblcaption;

Q_SIGNALS:
    // Input on the client area only; the strips, the icon and the caption keep theirs.
    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // At the end of every layout pass.
    void Resize();
    // A persisted setting was written; the window's design data is out of date.
    void propertyChanged(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    enum class HostState { Normal, Minimised, Maximised };
    HostState hostState() const;
    QWidget *hostWindow() const;
    void paintTitle(const QImage &picture);
    void setBorderCursors(Qt::CursorShape horizontal, Qt::CursorShape vertical);
    void showLookOfActivation();
    bool isOwnSurface(const QMouseEvent *event) const;

    bool titleEvent(QEvent *event, bool isCaption);
    bool borderEvent(QWidget *strip, QEvent *event, BorderDrag::Edge edge);
    static bool movedByWindowSystem();
    bool handResizeToCompositor(BorderDrag::Edge edge);
    void startMove(const QMouseEvent *event);
    void beginMoveOnceDragged(const QMouseEvent *event);
    // origin: where the window is on the screen, as the release showed it.
    void resizeFromDrag(BorderDrag::Edge edge, QPoint origin);
    QSize smallestFrame() const;
    static QSize largestFrame();

    QWidget *m_host;
    WindowStateRequest::Handler m_requestState;
    Skin m_active;
    Skin m_inactive;
    Skin m_current;
    QImage m_defaultIcon;
    QImage m_icon;
    bool m_fixedSingle = false;
    // Maximised by the frame itself, with the place and size to go back to.
    bool m_ownMaximised = false;
    QRect m_restoreGeometry;
    QPoint m_pressPoint;
    QPoint m_releasePoint;

    // Moving the window ourselves, where the window system has no move of its own.
    bool m_moving = false;
    // The title is pressed; the move begins once the pointer has travelled far enough.
    bool m_movePending = false;
    // The compositor carries out the border drag in progress.
    bool m_compositorResizing = false;
    QPoint m_moveFrom;
    QPoint m_moveOrigin;

    // The client area was pressed itself, not a control on it.
    bool m_ownPress = false;
    // The release that ends a double click is no click of its own.
    bool m_releaseEndsDoubleClick = false;
};
