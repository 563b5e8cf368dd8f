#include "browsingdata/ModReadWriteSearchConfig.h"

#include "browsingdata/FormSelectSearch.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace ModReadWriteSearchConfig {

QString ConfigFilePath()
{
    return QDir(ProgramFolder::AppPath()).filePath(QString::fromLatin1(SearchConfig::FileName));
}

SearchConfig &EngineTable()
{
    static SearchConfig table;
    return table;
}

void ReadSearchConfig(FormSelectSearch &form)
{
    SearchConfig &table = EngineTable();
    table.SetLines({});
    if (!QFileInfo::exists(ConfigFilePath()) || !table.Load(ConfigFilePath()))
        return;
    form.ListSearchEngines->clear();
    // Each row gets its check box before it joins the list: a row changed in the list runs the
    // check rule over every other row.
    for (const SearchEngine &engine : table.Engines()) {
        auto *item = new QListWidgetItem(engine.Name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        form.ListSearchEngines->addItem(item);
    }
    const int selected = table.SelectedIndex();
    if (selected < 0)
        return;
    const SearchEngine &engine = table.Engines().at(selected);
    FormSelectSearch::SearchChar = engine.QueryParam;
    FormSelectSearch::SearchBrowserUrl = engine.PanePage;
    FormSelectSearch::MainSearchUrl = engine.SearchBase;
    form.CheckRow(selected);
}

bool WriteSearchConfig(FormSelectSearch &form)
{
    SearchConfig &table = EngineTable();
    table.SetSelected(form.CheckedRow());
    return table.Save(ConfigFilePath());
}

} // namespace ModReadWriteSearchConfig
