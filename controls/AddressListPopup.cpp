#include "controls/AddressListPopup.h"

#include "controls/AddressListModel.h"
#include "controls/AddressTextField.h"

#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Entries are edited in the box's own single-line field, so a pasted line break never
// reaches the list.
class AddressEntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *editor = new AddressTextField(parent);
        editor->setFrame(true);
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        auto *field = static_cast<AddressTextField *>(editor);
        model->setData(index, AddressTextField::SingleLine(field->text()), Qt::EditRole);
    }
};

constexpr Qt::WindowFlags PassiveFlags = Qt::ToolTip | Qt::FramelessWindowHint;
constexpr Qt::WindowFlags EditingFlags = Qt::Tool | Qt::FramelessWindowHint;

} // namespace

AddressListPopup::AddressListPopup(QWidget *owner)
    : QFrame(owner, PassiveFlags), m_view(new QListView(this)), m_model(new AddressListModel(this))
{
    setFrameShape(QFrame::Box);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    m_view->setModel(m_model);
    m_view->setItemDelegate(new AddressEntryDelegate(m_view));
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setUniformItemSizes(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setIconSize(QSize(20, 17));
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->viewport()->installEventFilter(this);
    m_view->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);

    // The list's window is never the active one, yet its selection must look selected.
    QPalette palette = m_view->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_view->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_view);

    connect(m_view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { QTimer::singleShot(0, this, &AddressListPopup::EndEdit); });
}

void AddressListPopup::ShowAt(const QRect &globalRect)
{
    setGeometry(globalRect);
    if (!isVisible())
        show();
}

int AddressListPopup::RowCount() const
{
    return m_model->rowCount();
}

int AddressListPopup::SelectedRow() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void AddressListPopup::SelectRow(int row)
{
    if (row < 0 || row >= RowCount()) {
        m_view->selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(index);
}

void AddressListPopup::MoveSelection(int delta)
{
    if (RowCount() == 0)
        return;
    const int current = SelectedRow();
    const int target = current < 0 ? (delta > 0 ? 0 : RowCount() - 1) : current + delta;
    SelectRow(qBound(0, target, RowCount() - 1));
}

int AddressListPopup::RowsInView() const
{
    const int rowHeight = m_view->sizeHintForRow(0);
    return rowHeight > 0 ? qMax(1, m_view->viewport()->height() / rowHeight) : 1;
}

void AddressListPopup::ScrollToTop()
{
    m_view->scrollToTop();
}

void AddressListPopup::SetTakesKeyboard(bool takes)
{
    const QRect geometry = this->geometry();
    const bool shown = isVisible();
    setWindowFlags(takes ? EditingFlags : PassiveFlags);
    setAttribute(Qt::WA_ShowWithoutActivating, !takes);
    setGeometry(geometry);
    if (shown)
        show();
}

void AddressListPopup::EditRow(int row)
{
    if (row < 0 || row >= RowCount() || m_editing)
        return;
    m_editing = true;
    SetTakesKeyboard(true);
    activateWindow();
    const QModelIndex index = m_model->index(row);
    m_view->setCurrentIndex(index);
    m_view->edit(index);
}

void AddressListPopup::EndEdit()
{
    if (!m_editing)
        return;
    m_editing = false;
    SetTakesKeyboard(false);
    emit EditFinished();
}

bool AddressListPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view->viewport() || m_editing)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_view->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            emit EntryReleased(index.row());
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_view->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::RightButton) {
            if (index.isValid()) {
                SelectRow(index.row());
                emit EntryRightPressed(index.row(), mouse->globalPosition().toPoint());
            }
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
