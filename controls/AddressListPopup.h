#pragma once

#include <QFrame>

class AddressListModel;
class QListView;

// One list of the address box (typed addresses or suggestions), opened over the page as a
// window of its own. It never takes the keyboard: the box's text field keeps it and steers
// the list (SelectRow, MoveSelection). Only an entry edited in place gets the keyboard,
// for as long as the edit lasts.
class AddressListPopup : public QFrame
{
    Q_OBJECT
public:
    explicit AddressListPopup(QWidget *owner);

    QListView *View() const { return m_view; }
    AddressListModel *Model() const { return m_model; }

    // Shows the list at globalRect, or moves it there when it is already shown.
    void ShowAt(const QRect &globalRect);

    int RowCount() const;
    int SelectedRow() const; // -1 when no entry is selected
    void SelectRow(int row); // -1 clears the selection
    void MoveSelection(int delta);
    int RowsInView() const;
    void ScrollToTop();

    // Lets the list take the keyboard while the entry at row is edited in place.
    void EditRow(int row);
    bool IsEditing() const { return m_editing; }

signals:
    void EntryReleased(int row);                            // left button released over an entry
    void EntryRightPressed(int row, const QPoint &globalPos); // right button pressed over one
    void EditFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetTakesKeyboard(bool takes);
    void EndEdit();

    QListView *m_view;
    AddressListModel *m_model;
    bool m_editing = false;
};
