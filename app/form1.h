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

    // Get_Mes: fetches the news; By_User is true when the user asked for it.
    void Get_Mes(bool By_User);

    static constexpr int tabInstruction = 0;
    static constexpr int tabPhotoAndSearch = 1;
    static constexpr int tabSettings = 2;
    static constexpr int tabNews = 3;
    static constexpr int tabAbout = 4;

    // The search's mode, items and interval (set by the slider HS2).
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
    xp_canvas *xp_canvas1;       // the skinned frame and title bar
    xptopbuttons *xptopbuttons1; // close
    xptopbuttons *xptopbuttons2; // minimise

    // Toolbar strip, on show whatever the tab
    FrameBox *Frame1; // the strip itself
    XpB *Command6;    // save the photo as JPEG
    XpB *Command3;    // paste the photo from the clipboard
    XpB *Command8;    // start a questionnaire
    XpB *Command7;    // save the questionnaire result text
    QLabel *Label4;   // the hover hint line

    XTab *XTab1;    // the five tabs
    QLabel *Image2; // hidden: measures a pasted picture's natural size

    // Tab 0, the instruction
    RichTextBox *RichTextBox2; // the manual

    // Tab 1, the photo and the search
    ActivatableLabel *Image1;  // the palm photo; opens a photo on click, Enter or Space
    QLabel *Label3;            // the prompt over the empty photo
    QPlainTextEdit *Text2;     // the query box
    XpB *Command2;             // the search button
    xpcheckbox *Check1;        // checked: word mode, else phrase mode
    XpB *Command1;             // from an article back to the results list
    XpB *Command4;             // browser back
    XpB *Command5;             // browser forward
    QScrollBar *HS1;           // jumps between the found places of an article
    QListWidget *List1;        // the results list
    WebBrowser *WebBrowser1;   // shows articles that are not plain text
    RichTextBox *RichTextBox1; // shows plain-text articles
    QPlainTextEdit *Text1;     // the questionnaire result text
    LineShape *Line2;          // the progress track
    LineShape *Line1;          // the progress bar, over the track
    QLabel *Label1;            // the busy notice
    QTimer *Timer1;            // the hover hint's clock

    // Tab 2, the settings
    FrameBox *Frame4; // the tab's page
    QLabel *Label5;   // its heading
    FrameBox *Frame2; // "Интервал поиска"
    QScrollBar *HS2;  // the search interval slider
    QLabel *Label2;   // the interval's value
    QLabel *Label6;   // what the interval means

    // Tab 3, the news
    QPlainTextEdit *Text4; // the news archive
    XpB *Command9;         // fetches the news

    // Tab 4, the about page
    FrameBox *Frame3;         // the page's frame
    QLabel *Label7;           // the program's name
    QLabel *Image3;           // the photograph
    QLabel *Label8;           // the credits
    ActivatableLabel *Label9; // opens the club's website

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
