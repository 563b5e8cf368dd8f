#pragma once

#include "platform/Forms.h"

#include <QWidget>

// The control-less window that stands for the full-screen window on the task bar while it is
// minimized: activating its task-bar button brings the full-screen window back.
class FormFullScreenTaskBar : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormFullScreenTaskBar(QWidget *parent = nullptr);

    // The user activated the proxy: the full-screen window shows, the proxy goes back to the
    // task bar, minimized and hidden.
    void Form_Activate();
    // Shows the stand-in minimized, centred over the window it stands for: on its screen.
    void ShowMinimizedOver(const QWidget *window);
    // Closing the proxy from the task bar closes the full-screen window it stands for, and with
    // it the program; a hidden proxy goes alone.
    void Form_Unload(int &Cancel) override;

protected:
    void changeEvent(QEvent *event) override;
};
