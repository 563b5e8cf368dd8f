#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One search engine of "SearchConfig.dat": name|selected|query parameter|pane page|search base.
struct SearchEngine
{
    QString Name;
    bool Selected = false;
    QString QueryParam;
    QString PanePage;
    QString SearchBase;
};

// The engines of "SearchConfig.dat" in file order. A line that names no usable engine (too
// few fields, a flag that is neither True nor False, an empty or repeated name) is kept as it
// was read and written back in its place, so saving never loses a hand-edited line.
class SearchConfig
{
public:
    static constexpr const char *FileName = "SearchConfig.dat";

    // Replaces the engines with the file's; false (and nothing changed) when it cannot be read.
    bool Load(const QString &path);
    // Writes the whole file atomically, each line ended by CR LF, in UTF-8.
    bool Save(const QString &path) const;

    // Replaces the engines with those of the file's complete lines; blank lines are dropped.
    void SetLines(const QStringList &lines);
    // The file's lines as they are written: each as read, the selected flag set anew.
    QStringList Lines() const;

    const QList<SearchEngine> &Engines() const { return m_engines; }
    // The index of the selected engine: the last line that says True; -1 when none does.
    int SelectedIndex() const;
    // Selects one engine (and unselects the others); -1 unselects all.
    void SetSelected(int index);

private:
    struct Line
    {
        QString Text;    // the line as read
        int Engine = -1; // index into m_engines, or -1 for a line kept verbatim
    };

    static bool ParseEngine(const QString &line, SearchEngine &engine);

    QList<SearchEngine> m_engines;
    QList<Line> m_lines;
};

// The address of a search for Text: base, "?", parameter, "=" and the text, percent-encoded.
QString SearchQueryUrl(const QString &MainSearchUrl, const QString &SearchChar, const QString &Text);
