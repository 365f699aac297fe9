#pragma once

class QAbstractButton;
class QListWidget;
class QScrollBar;
class RichTextBox;
class WebBrowser;

// The part of the photo-and-search tab that shows either the results list or
// one article. The search run and the article view both switch it, so which
// controls show in each view is decided here alone.
class ResultsArea
{
public:
    struct Controls
    {
        QListWidget *List1 = nullptr;        // the results list
        RichTextBox *RichTextBox1 = nullptr; // plain-text articles
        WebBrowser *WebBrowser1 = nullptr;   // other articles
        QScrollBar *HS1 = nullptr;           // jump bar over the found places
        QAbstractButton *Command1 = nullptr; // back to the list
        QAbstractButton *Command4 = nullptr; // browser back
        QAbstractButton *Command5 = nullptr; // browser forward
    };

    enum class View {
        List,           // the results list alone
        TextArticle,    // a plain-text article with its jump bar and the back button
        BrowserArticle, // any other article in the browser view with its history buttons
    };

    explicit ResultsArea(const Controls &controls)
        : c(controls)
    {}

    const Controls &controls() const { return c; }

    // Hides what the view does not show, then shows what it does.
    void show(View view);
    View view() const { return m_view; }

private:
    Controls c;
    View m_view = View::List;
    // The list's current entry while an article hides it.
    int m_listRow = -1;
};
