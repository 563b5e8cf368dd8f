#pragma once

class QWidget;

// What the main window's small dialogs share: their design geometry in twips and their modal
// showing over an owner window.
namespace DialogTools {

// Places a control at a rectangle given in twips.
void PlaceTwips(QWidget *control, int left, int top, int width, int height);
// Gives a window a client area of that size in twips.
void SetClientSizeTwips(QWidget *window, int width, int height);
// Loads the dialog if it is not loaded, shows it modal, owned by owner when given and centred
// over it (inside the screen), and returns once it is hidden or unloaded.
void ShowModal(QWidget *dialog, QWidget *owner);
// Loads the dialog if it is not loaded and shows it modeless, centred over the window that asked
// for it when given; one already shown comes forward where it stands.
void ShowModeless(QWidget *dialog, const QWidget *over = nullptr);

} // namespace DialogTools
