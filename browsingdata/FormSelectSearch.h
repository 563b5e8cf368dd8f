#pragma once

#include "platform/Forms.h"

#include <QString>
#include <QWidget>

class QEventLoop;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Search Settings": the engines of "SearchConfig.dat" as a check-box list, at most one
// checked. Holds the selected engine's strings for the whole program; they keep their values
// when the dialog closes and until another engine is selected.
class FormSelectSearch : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormSelectSearch(QWidget *parent = nullptr);

    // The search pane's page, the base address of searches and the query parameter's name.
    static inline QString SearchBrowserUrl;
    static inline QString MainSearchUrl;
    static inline QString SearchChar;

    // The address of a search for Text with the selected engine.
    static QString SearchUrl(const QString &Text);

    QLabel *LabelSearchEngines = nullptr;
    QListWidget *ListSearchEngines = nullptr;
    QPushButton *CommandOK = nullptr;
    QPushButton *CommandClose = nullptr;

    void Form_Load() override;

    // Shows the dialog modal over owner, centred on it, and returns once it is closed.
    void ShowModal(QWidget *owner);

    // Checks one row (-1: none); every other row is unchecked.
    void CheckRow(int row);
    int CheckedRow() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ListSearchEngines_ItemChanged(QListWidgetItem *item);
    void CommandOK_Click();
    void CommandClose_Click();

    bool m_applyingCheckRule = false;
    QEventLoop *m_modalLoop = nullptr;
};
