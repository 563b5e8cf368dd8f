#include "browsingdata/SearchConfig.h"

#include "platform/TextFile.h"

#include <QSet>
#include <QUrl>

namespace {

const QChar FieldSeparator = u'|';

// The selected flag reads as a truth value in any letter case; anything else is no flag.
bool ParseFlag(const QString &field, bool &value)
{
    if (field.compare(u"True", Qt::CaseInsensitive) == 0)
        value = true;
    else if (field.compare(u"False", Qt::CaseInsensitive) == 0)
        value = false;
    else
        return false;
    return true;
}

// The line with its second field replaced, every other character as it was read.
QString WithFlag(const QString &line, bool selected)
{
    const qsizetype first = line.indexOf(FieldSeparator);
    const qsizetype second = line.indexOf(FieldSeparator, first + 1);
    return line.left(first + 1) + (selected ? u"True"_qs : u"False"_qs) + line.mid(second);
}

} // namespace

bool SearchConfig::ParseEngine(const QString &line, SearchEngine &engine)
{
    // An address that itself holds "|" stays whole: the fifth field runs to the line's end.
    const QStringList fields = line.split(FieldSeparator);
    if (fields.size() < 5 || fields.at(0).isEmpty())
        return false;
    if (!ParseFlag(fields.at(1), engine.Selected))
        return false;
    engine.Name = fields.at(0);
    engine.QueryParam = fields.at(2);
    engine.PanePage = fields.at(3);
    engine.SearchBase = fields.mid(4).join(FieldSeparator);
    return true;
}

bool SearchConfig::Load(const QString &path)
{
    QStringList lines;
    if (!TextFile::ReadLines(path, lines))
        return false;
    SetLines(lines);
    return true;
}

void SearchConfig::SetLines(const QStringList &lines)
{
    m_engines.clear();
    m_lines.clear();
    QSet<QString> names;
    for (const QString &read : lines) {
        if (read.trimmed().isEmpty())
            continue;
        Line line{read};
        SearchEngine engine;
        if (ParseEngine(read, engine) && !names.contains(engine.Name)) {
            names.insert(engine.Name);
            line.Engine = int(m_engines.size());
            m_engines.append(engine);
        }
        m_lines.append(line);
    }
    // One engine at most is selected: the last line that says so.
    SetSelected(SelectedIndex());
}

QStringList SearchConfig::Lines() const
{
    QStringList lines;
    for (const Line &line : m_lines) {
        if (line.Engine < 0)
            lines.append(line.Text);
        else
            lines.append(WithFlag(line.Text, m_engines.at(line.Engine).Selected));
    }
    return lines;
}

bool SearchConfig::Save(const QString &path) const
{
    return TextFile::WriteLines(path, Lines());
}

int SearchConfig::SelectedIndex() const
{
    for (qsizetype i = m_engines.size() - 1; i >= 0; --i) {
        if (m_engines.at(i).Selected)
            return int(i);
    }
    return -1;
}

void SearchConfig::SetSelected(int index)
{
    for (qsizetype i = 0; i < m_engines.size(); ++i)
        m_engines[i].Selected = (i == index);
}

QString SearchQueryUrl(const QString &MainSearchUrl, const QString &SearchChar, const QString &Text)
{
    return MainSearchUrl + u'?' + QString::fromLatin1(QUrl::toPercentEncoding(SearchChar)) + u'='
           + QString::fromLatin1(QUrl::toPercentEncoding(Text));
}
