#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// The rows of one of the address box's lists: an address text with its kind (1 web, 2 FTP),
// whose picture is the row's image. Only the rows in view are ever drawn, so a list of a
// hundred thousand suggestions costs no more to show than a short one.
class AddressListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // kinds may be empty: every row is then a web address.
    void SetEntries(const QStringList &texts, const QList<qint16> &kinds = {});
    void Clear() { SetEntries({}); }

    QString Text(int row) const { return m_texts.value(row); }
    qint16 Kind(int row) const;
    // Rows may be edited in place when set; the edited text is handed to the callback.
    void SetEditable(bool editable) { m_editable = editable; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void EntryEdited(int row, const QString &text);

private:
    QStringList m_texts;
    QList<qint16> m_kinds;
    bool m_editable = false;
};
