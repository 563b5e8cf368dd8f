#pragma once

#include "browsingdata/FBLocationList.h"

#include <QObject>

class CommandBar;
class CommandBarControl;
class QWidget;

// One browser window's back/forward list, kept in step with the window's Back and Forward
// drop-downs (split buttons Back and Forward of its Standard bar) and
// with the enabled state of Back and Forward in the default main window's menu bar and page
// context menu.
class ClassFBNavigator : public QObject, public FBLocationList
{
    Q_OBJECT

public:
    explicit ClassFBNavigator(QObject *parent = nullptr) : QObject(parent) {}

    using FBLocationList::AddLocation;
    // Records a loaded page of ParentForm's browser and rebuilds both drop-downs.
    void AddLocation(QObject *ParentForm, const QString &URL, const QString &LocationName);

    // The window's "Standard" bar: its Qt property "ToolBarStandard" when it declares one,
    // else the bar titled "Standard" among its command bars.
    static CommandBar *ToolBarStandardOf(QObject *ParentForm);
    // The default main window: the first loaded window of class FormMain.
    static QWidget *DefaultMainWindow();

private:
    void RebuildBackMenu(QObject *ParentForm);
    void RebuildForwardMenu(QObject *ParentForm);
    static void RebuildMenu(QObject *ParentForm, int buttonId, int entryId,
                            const QStringList &names);
    static QList<CommandBarControl *> MainWindowItems(int id);
};
