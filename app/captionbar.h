#pragma once

#include <QWidget>

// Stands in for the skinned frame until it exists: it lies under every other
// control of the window, paints the title bar and a border, and moves the
// window when the title bar is dragged.
class CaptionBar : public QWidget
{
    Q_OBJECT
public:
    explicit CaptionBar(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }
    static constexpr int titleHeight = 28;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_caption;
};
