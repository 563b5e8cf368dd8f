#pragma once

#include <QString>

// The engine's own options that outlive the program: for now the home page that GoHome opens.
// It is kept as one line in "HomePage.dat" in the given data folder; without that file, or with
// an empty line in it, the home page is the program folder's "blank.html".
class InternetOptions
{
public:
    explicit InternetOptions(QString dataFolder);

    QString HomePage() const;
    // Writes the file whole; returns false when it could not be written.
    bool SetHomePage(const QString &url);

    static QString DefaultHomePage();
    // "HomePage.dat" in the data folder.
    QString FilePath() const;

private:
    QString m_dataFolder;
};
