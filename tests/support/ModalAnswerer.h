#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers each modal window that comes up while it lives: a message box with Yes or OK (its
// text is kept), a file dialog with onFileDialog, called from the dialog's own event.
class ModalAnswerer
{
public:
    std::function<void(QFileDialog *)> onFileDialog;
    QStringList messages;

    ModalAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                messages << box->text();
                QAbstractButton *yes = box->button(QMessageBox::Yes);
                (yes ? yes : box->button(QMessageBox::Ok))->click();
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && dialog != m_answered) {
                m_answered = dialog;
                QTimer::singleShot(0, dialog, [this, dialog] {
                    if (onFileDialog)
                        onFileDialog(dialog);
                    else
                        dialog->reject();
                });
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    QPointer<QFileDialog> m_answered;
};
