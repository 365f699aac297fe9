#include "search/ui/resultsarea.h"

#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QScrollBar>

#include <initializer_list>

void ResultsArea::show(View view)
{
    // A hidden list keeps no current entry, which assistive technology would
    // report focused; it comes back when the list does.
    QItemSelectionModel *selection = c.List1->selectionModel();
    if (view != View::List && m_view == View::List) {
        m_listRow = c.List1->currentRow();
        selection->clearCurrentIndex();
    }
    m_view = view;
    const bool list = view == View::List;
    const bool text = view == View::TextArticle;
    const bool browser = view == View::BrowserArticle;
    const std::initializer_list<std::pair<QWidget *, bool>> shown = {
        {c.List1, list},       {c.RichTextBox1, text}, {c.HS1, text},       {c.WebBrowser1, browser},
        {c.Command4, browser}, {c.Command5, browser},  {c.Command1, !list},
    };
    // Hidden first: a control that shows never overlaps one about to go.
    for (const auto &[control, visible] : shown) {
        if (!visible)
            control->hide();
    }
    for (const auto &[control, visible] : shown) {
        if (visible)
            control->show();
    }
    if (view == View::List) {
        if (m_listRow >= 0 && m_listRow < c.List1->count())
            selection->setCurrentIndex(c.List1->model()->index(m_listRow, 0), QItemSelectionModel::NoUpdate);
        m_listRow = -1;
    }
}
