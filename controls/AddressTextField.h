#pragma once

#include <QLineEdit>

// The address box's text field. A line edit keeps line breaks that arrive by paste or drop;
// an address holding one would break the one-address-a-line data files, so every way text
// comes in from outside (keyboard paste, middle-button paste, drop, the Paste command) goes
// through SingleLine first. Cut, copy and paste use the system clipboard, text only.
class AddressTextField : public QLineEdit
{
    Q_OBJECT
public:
    explicit AddressTextField(QWidget *parent = nullptr);

    // The text with its line breaks removed.
    static QString SingleLine(const QString &text);

    // Clears the clipboard, puts the selected text on it and removes that text; with nothing
    // selected the clipboard ends up holding an empty text.
    void CutToClipboard();
    // Puts the selected text on the clipboard (without clearing it first).
    void CopyToClipboard();
    // Replaces the selection with the clipboard's text, made single-line.
    void PasteFromClipboard();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void InsertFromOutside(const QString &text);
};
