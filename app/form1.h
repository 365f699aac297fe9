#pragma once

#include "platform/installation.h"
#include "platform/widgets/dialogs.h"
#include "search/ui/searchstate.h"

#include <QKeySequence>
#include <QWidget>

#include <memory>

class FrameBox;
class LineShape;
class ActivatableLabel;
class ArticleView;
class ResultsArea;
class News;
class PhotoWorkspace;
class QuestionnaireLauncher;
class SearchPanel;
class RichTextBox;
class WebBrowser;
class XTab;
class xp_canvas;
class xptopbuttons;
class XpB;
class xpcheckbox;
class QAbstractButton;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QScrollBar;
class QTimer;

// The main window: the toolbar, the five tabs and every control on them. The
// controls keep their layout names; the subsystems wire their behaviour to them
// through the interfaces of their kind (a button or the check box is a
// QAbstractButton); only the hover hints listen to the controls' own events.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // The knowledge base, the questionnaires, the manual and the news address
    // are read from the installation, and the files the program keeps are
    // written there. Its message boxes and file dialogs are shown by dialogs.
    explicit Form1(Installation installation, Dialogs &dialogs = Dialogs::system(), QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up sequence, run once before the window is first shown.
    void load();

    // The news fetch; By_User is true when the user asked for it.
    void Get_Mes(bool By_User);

    static constexpr int tabInstruction = 0;
    static constexpr int tabPhotoAndSearch = 1;
    static constexpr int tabSettings = 2;
    static constexpr int tabNews = 3;
    static constexpr int tabAbout = 4;

    // The search's mode, items and interval (set by HS2).
    const SearchState &searchState() const { return m_search; }

    // The search run and the article view.
    ResultsArea *resultsArea() const { return m_results.get(); }
    SearchPanel *searchPanel() const { return m_searchPanel; }
    ArticleView *articleView() const { return m_articleView; }

    // The key that switches the search between words and phrases; the check
    // box's own keys do not toggle it.
    static QKeySequence modeKey();

Q_SIGNALS:
    // The program ends: the window was closed or its close button pressed.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's controls; the features are handed those they use.
    // Window frame
    xp_canvas *xp_canvas1;
    xptopbuttons *xptopbuttons1; // close
    xptopbuttons *xptopbuttons2; // minimise

    // Toolbar strip
    FrameBox *Frame1;
    XpB *Command6;
    XpB *Command3;
    XpB *Command8;
    XpB *Command7;
    QLabel *Label4;

    XTab *XTab1;
    QLabel *Image2;

    // Tab 0
    RichTextBox *RichTextBox2;

    // Tab 1
    ActivatableLabel *Image1;
    QLabel *Label3;
    QPlainTextEdit *Text2;
    XpB *Command2;
    xpcheckbox *Check1;
    XpB *Command1;
    XpB *Command4;
    XpB *Command5;
    QScrollBar *HS1;
    QListWidget *List1;
    WebBrowser *WebBrowser1;
    RichTextBox *RichTextBox1;
    QPlainTextEdit *Text1;
    LineShape *Line2;
    LineShape *Line1;
    QLabel *Label1;
    QTimer *Timer1;

    // Tab 2
    FrameBox *Frame4;
    QLabel *Label5;
    FrameBox *Frame2;
    QScrollBar *HS2;
    QLabel *Label2;
    QLabel *Label6;

    // Tab 3
    QPlainTextEdit *Text4;
    XpB *Command9;

    // Tab 4
    FrameBox *Frame3;
    QLabel *Label7;
    QLabel *Image3;
    QLabel *Label8;
    ActivatableLabel *Label9;

    Installation m_installation;
    Dialogs &m_dialogs;
    // Shared by the run and the article view.
    SearchState m_search;
    SearchPanel *m_searchPanel = nullptr;
    ArticleView *m_articleView = nullptr;
    void createFrameAndToolbar();
    void createInstructionTab();
    void createPhotoAndSearchTab();
    void createSettingsTab();
    void createNewsTab();
    void createAboutTab();
    void endProgram();
    void nameControls();
    // Where a user goes on from on the tab on show.
    void focusTheTabsFirstControl();

    bool m_ending = false;
    bool m_shownOnce = false;
    std::unique_ptr<News> m_news;
    std::unique_ptr<QuestionnaireLauncher> m_questionnaire;
    std::unique_ptr<PhotoWorkspace> m_photo;
    std::unique_ptr<ResultsArea> m_results;
};
