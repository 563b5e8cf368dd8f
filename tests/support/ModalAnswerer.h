#pragma once

#include "tests/support/WaitFor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <type_traits>

// Runs answer on the next modal window of type T once it shows; answer closes it. The poll ends
// there, or at the deadline of the waits.
template <class T = QWidget>
void AnswerNextModal(const std::type_identity_t<std::function<void(T *)>> &answer)
{
    auto *poll = new QTimer(QCoreApplication::instance());
    const QDeadlineTimer deadline(WaitTimeoutMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, deadline] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        const bool shown = window && window->isVisible();
        if (!shown && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (shown)
            answer(window);
    });
    poll->start(10);
}

// Answers each modal window that comes up while it lives: a message box with Yes or OK (its
// text is kept, and onMessageBox sees it first), a file dialog with onFileDialog, called from
// the dialog's own event.
class ModalAnswerer
{
public:
    std::function<void(QFileDialog *)> onFileDialog;
    std::function<void(QMessageBox *)> onMessageBox;
    QStringList messages;

    ModalAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (onMessageBox)
                    onMessageBox(box);
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
