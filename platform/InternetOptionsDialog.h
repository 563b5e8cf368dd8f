#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// "Internet Options": the engine's options that outlive the program, as a small window of its
// own (for now the home page). It opens modeless and ownerless, like a program started beside
// the browser, and deletes itself when closed. OK writes the options; Cancel drops them.
class InternetOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // dataFolder: where the options are kept; currentPage: the page that "Use &Current" takes.
    InternetOptionsDialog(const QString &dataFolder, const QString &currentPage,
                          QWidget *parent = nullptr);

    QLineEdit *TextHomePage = nullptr;
    QPushButton *CommandUseCurrent = nullptr;
    QPushButton *CommandUseDefault = nullptr;
    QPushButton *CommandOK = nullptr;
    QPushButton *CommandCancel = nullptr;

    // Opens a new dialog, shown and focused, centred over the window it was opened from, or on its
    // own screen without one, and returns it at once.
    static InternetOptionsDialog *Open(const QString &dataFolder, const QString &currentPage,
                                       const QWidget *openedFrom = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString m_dataFolder;
    QString m_currentPage;
    QPointer<const QWidget> m_openedFrom;
};
