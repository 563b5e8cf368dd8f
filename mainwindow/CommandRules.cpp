#include "mainwindow/CommandRules.h"

#include "app/CommandIds.h"
namespace CommandRules {

std::optional<TextSizeChoice> TextSizeFor(int id)
{
    if (id < CommandId::TextSizeLargest || id > CommandId::TextSizeNormal)
        return std::nullopt;
    if (id == CommandId::TextSizeNormal)
        return TextSizeChoice{2, true, 2};
    const int size = 7 - (id - CommandId::TextSizeLargest);
    return TextSizeChoice{size, false, size};
}

int ShiftMaskOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if ((modifiers & Qt::ShiftModifier) || qtKey == Qt::Key_Shift)
        mask |= ShiftMask;
    if ((modifiers & Qt::ControlModifier) || qtKey == Qt::Key_Control)
        mask |= CtrlMask;
    if ((modifiers & Qt::AltModifier) || qtKey == Qt::Key_Alt)
        mask |= AltMask;
    return mask;
}

int KeyCodeOf(int qtKey)
{
    // Qt numbers letters and digits by their capital character, as virtual-key codes do.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Alt:
        return VK_MENU;
    default:
        return 0;
    }
}

KeyDownActions ActionsFor(int keyCode, int shift)
{
    KeyDownActions actions;
    actions.GoHome = (shift & AltMask) && keyCode == VK_HOME;
    if (shift & CtrlMask) {
        actions.CtrlStep = true;
        for (const char letter : {'S', 'F', 'O', 'P', 'N'}) {
            if (keyCode == letter) {
                actions.Letter = QChar::fromLatin1(letter);
                break;
            }
        }
    }
    return actions;
}

} // namespace CommandRules
