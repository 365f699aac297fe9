#pragma once

#include "controls/pictureobject.h"
#include "controls/xpbdrawing.h"

#include <QAbstractButton>
#include <QImage>

class PropertyStore;

// The picture push button of every window: it draws its own face (a picture
// and a caption, in the XP look or one of three classic looks) and shows when
// it is hovered, pressed, focused or disabled. It tells its host about clicks,
// keys and the mouse, and about the pointer coming over it and leaving it.
//
// It is a QAbstractButton, so whatever takes a button clicks it through
// clicked() and click(); every Click of its own comes through clicked() too.
// The face is drawn whole into an image on every change of state or setting
// (Refresh); painting only copies that image.
class XpB : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled1 READ Enabled1 WRITE setEnabled1)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(int PicturePosition READ picturePosition WRITE setPicturePosition)
    Q_PROPERTY(PictureObject Picture READ picture WRITE setPicture)
    Q_PROPERTY(quint32 XPColor_Pressed READ xpColorPressed WRITE setXPColorPressed)
    Q_PROPERTY(quint32 XPColor_Hover READ xpColorHover WRITE setXPColorHover)
    Q_PROPERTY(bool XPDefaultColors READ xpDefaultColors WRITE setXPDefaultColors)
    Q_PROPERTY(quint32 MaskColor READ maskColor WRITE setMaskColor)
    Q_PROPERTY(bool UseMaskColor READ useMaskColor WRITE setUseMaskColor)
public:
    // A side below this many pixels is set to 150 twips.
    static constexpr int minimumSide = 10;

    // Starts with every setting zero, false or empty: caption empty, look 0,
    // picture above, no picture.
    explicit XpB(QWidget *parent = nullptr);
    ~XpB() override;

    // Redraws the whole face.
    void Refresh();

    // Writing it also forgets focus, press and hover, then redraws.
    bool Enabled1() const { return isEnabled(); }
    void setEnabled1(bool enabled);

    // The window the platform knows the control by: the widget itself.
    QWidget *mhwnd() { return this; }

    bool showFocusRect() const { return m_state.showFocusRect; }
    void setShowFocusRect(bool show);
    QString caption() const { return m_state.caption; }
    void setCaption(const QString &caption);
    int buttonStyle() const { return m_state.buttonStyle; }
    void setButtonStyle(int style);
    int picturePosition() const { return m_state.picturePosition; }
    void setPicturePosition(int position);
    const PictureObject &picture() const { return m_state.picture; }
    void setPicture(const PictureObject &picture);
    // These three take effect at the next redraw.
    quint32 xpColorPressed() const { return m_state.xpColorPressed; }
    void setXPColorPressed(quint32 colour) { m_state.xpColorPressed = colour; }
    quint32 xpColorHover() const { return m_state.xpColorHover; }
    void setXPColorHover(quint32 colour) { m_state.xpColorHover = colour; }
    bool xpDefaultColors() const { return m_state.xpDefaultColors; }
    void setXPDefaultColors(bool use) { m_state.xpDefaultColors = use; }
    quint32 maskColor() const { return m_state.maskColor; }
    void setMaskColor(quint32 colour);
    bool useMaskColor() const { return m_useMaskColor != 0; }
    void setUseMaskColor(bool use);

    // The size of the picture slot, from the last picture assigned.
    int pictureWidth() const { return m_state.pictureWidth; }
    int pictureHeight() const { return m_state.pictureHeight; }
    // The caption's access key (lower case), or a null character.
    QChar accessKey() const { return m_accessKey; }

    // The settings kept in the window's design data: read (missing keys take
    // their defaults), and written back each under its key.
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    // The design data both windows keep for their picture buttons: the XP look
    // with black frames, no focus rectangle, the picture at its own size, and
    // the caption given (an empty one rather than the control's own name).
    static PropertyStore windowSettings(const QString &caption, const PictureObject &picture, int picturePosition);

    // What the last redraw drew from, and drew.
    const XpBDrawing::State &state() const { return m_state; }
    const QImage &face() const { return m_face; }

Q_SIGNALS:
    // The host's events, in the order hosts number them.
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseIn(int shift);
    void MouseOut(int shift);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void ApplySize();
    void UpdateAccessKey();
    void release(int button, int shift, QPointF position, bool clicks);
    void endHover(int shift);
    bool isUnderPointer(const QMouseEvent *event) const;

    XpBDrawing::State m_state;
    QImage m_face;
    // Kept as the integer it is stored as: 0 false, -1 true.
    int m_useMaskColor = 0;
    QChar m_accessKey;
    // The control holds the mouse capture: from the pointer coming over it
    // (MouseIn) until it is found elsewhere (MouseOut). Without it, what Qt
    // delivers only through its own grab of a pressed button while the pointer
    // is elsewhere is not the control's.
    bool m_capture = false;
    // The space bar went down on this control.
    bool m_spaceDown = false;
    // Whether the focus showed when the window was last deactivated.
    int m_focusShownOnDeactivation = 0;
};
