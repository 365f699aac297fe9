#pragma once

#include <QString>
#include <QWidget>

// A frame around a group of controls: an etched rectangle with an optional
// caption that sits on its top line and interrupts it. The top line lies at
// half the caption's height, so a control placed just below the caption is
// never crossed by the line. The frame's own position is its outer corner.
class FrameBox : public QWidget
{
    Q_OBJECT
public:
    explicit FrameBox(QWidget *parent = nullptr);
    explicit FrameBox(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Where the top line is drawn, in the frame's pixels.
    int topLineY() const;
    // The caption's rectangle; empty without a caption.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
