#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>

class FormLayout;
class PropertyStore;
class QWidget;

// Keeps a window's controls in proportion when the window is resized. When
// the window is first shown it records the place, size and font size of each
// named control (a line's end points), skipping those marked with
// ControlProperty::KeepSize; on every later resize it keeps the window at
// least WMin x HMin twips, keeps its height at AspectRatioValue x its width if
// asked to, and sets every recorded control to its recorded geometry times
// the window's growth in each direction, its font to the recorded size times
// the smaller growth.
class AutoResize : public QObject
{
    Q_OBJECT
public:
    static constexpr int defaultHMin = 3000; // twips
    static constexpr int defaultWMin = 4800;

    // Watches `window`, which owns it. With the window's design table, only
    // the controls the table names are the window's own; the parts a control
    // builds inside itself are left to that control.
    explicit AutoResize(QWidget *window, const FormLayout *design = nullptr);

    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool fontResizable() const { return m_fontResizable; }
    void setFontResizable(bool resizable);
    // Turning it on takes the window's present height / width as the ratio;
    // turning it off clears the ratio.
    bool keepAspectRatio() const { return m_keepAspectRatio; }
    void setKeepAspectRatio(bool keep);
    double aspectRatioValue() const { return m_aspectRatioValue; }
    int hMin() const { return m_hMin; }
    void setHMin(int twips);
    int wMin() const { return m_wMin; }
    void setWMin(int twips);

    // Strips along the window's edges that keep their size (a frame's title
    // and borders): the controls are scaled within the area inside them,
    // from its top left corner. None by default.
    QMargins fixedMargins() const { return m_margins; }
    void setFixedMargins(const QMargins &margins) { m_margins = margins; }

    // Done when the window is first shown; again on demand.
    void record();
    bool isRecorded() const { return m_recorded; }
    // Done on each resize of the window.
    void rescale();

Q_SIGNALS:
    void propertyChanged(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Record
    {
        QPointer<QWidget> control; // a control destroyed since is passed over
        bool isLine = false;
        // left, top, width, height in pixels; for a line x1, y1, x2, y2 in twips
        float a = 0, b = 0, c = 0, d = 0;
        float fontSize = 0; // 0: none to scale
        bool pixelFont = false;
    };
    bool isRecordable(const QWidget *control) const;

    QWidget *m_window;
    const FormLayout *m_design;
    bool m_enabled = true;
    bool m_fontResizable = true;
    bool m_keepAspectRatio = false;
    double m_aspectRatioValue = 0;
    int m_hMin = defaultHMin;
    int m_wMin = defaultWMin;

    QMargins m_margins;

    bool m_recorded = false;
    QSize m_recordedSize;
    QList<Record> m_records;
    bool m_busy = false;
};
