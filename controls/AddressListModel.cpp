#include "controls/AddressListModel.h"

#include "controls/AddressBoxImages.h"

void AddressListModel::SetEntries(const QStringList &texts, const QList<qint16> &kinds)
{
    beginResetModel();
    m_texts = texts;
    m_kinds = kinds;
    endResetModel();
}

qint16 AddressListModel::Kind(int row) const
{
    return m_kinds.isEmpty() ? qint16(1) : m_kinds.value(row, 1);
}

int AddressListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

QVariant AddressListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_texts.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_texts.at(index.row());
    case Qt::DecorationRole:
        return AddressBoxImages::EntryImage(Kind(index.row()));
    default:
        return {};
    }
}

bool AddressListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || !index.isValid() || index.row() >= m_texts.size())
        return false;
    emit EntryEdited(index.row(), value.toString());
    return true;
}

Qt::ItemFlags AddressListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}
