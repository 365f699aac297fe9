#pragma once

#include "platform/installation.h"
#include "platform/widgets/dialogs.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;
class Form1;

// The splash window: the first window of the program. It shows its picture for
// one tick of its timer, hides, and hands over to the main window.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    // The main window it hands over to works on this installation and shows
    // its dialogs through dialogs.
    explicit Form3(Installation installation, Dialogs &dialogs = Dialogs::system(), int tickIntervalMs = 1000,
                   QWidget *parent = nullptr);
    ~Form3() override;

    // The load handler: the whole start-up. Returns once the main window is shown.
    void start();

    Form1 *mainWindow() const { return m_main.get(); }
    float tickCount() const { return Tick_Count; }

Q_SIGNALS:
    // The splash is on screen: the time to make what only later windows need.
    void shown();
    // The main window exists, built while the splash shows; it loads once
    // the splash has hidden.
    void mainWindowCreated(Form1 *window);

private:
    void warmUpManual() const;

    Installation m_installation;
    Dialogs &m_dialogs;
    QLabel *Image1;       // the splash picture
    QTimer Timer1;        // ticks while the splash shows
    float Tick_Count = 0; // ticks since the splash showed
    std::unique_ptr<Form1> m_main;
};
