#pragma once

#include <Qt>
#include <QString>

#include <optional>

// The main window's command decisions that need no window: the Text Size menu, the key codes
// and modifier mask of a key-down, and the shortcut letters.
namespace CommandRules {

struct TextSizeChoice
{
    int TextSize = 0;    // stored in the window's TextSize
    bool TextNormal = false; // stored in the window's TextNormal
    int AppliedSize = 0; // the FontSize given to the page on screen now
};

// The choice behind a Text Size entry; none for another id. "&Normal" stores size 2 with
// TextNormal set and shows the page at 2, as "Small&er" does.
std::optional<TextSizeChoice> TextSizeFor(int id);

// Modifier mask of a key-down: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;
// A modifier key going down counts as held itself.
int ShiftMaskOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The virtual-key code of a Qt key: letters and digits by their capital character, Home 36,
// Ctrl 17, Shift 16, Alt 18; 0 for keys this window has no use for.
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;
constexpr int VK_HOME = 36;
int KeyCodeOf(int qtKey);

// What one key-down asks of the window. The Ctrl steps run for every key held with Ctrl, the
// letter action as well when the key is one of S, F, O, P, N; the Shift bit is never read.
struct KeyDownActions
{
    bool GoHome = false;   // Alt+Home
    bool CtrlStep = false; // the keystroke-component step
    QChar Letter;          // 'S', 'F', 'O', 'P', 'N', or null
};
KeyDownActions ActionsFor(int keyCode, int shift);

} // namespace CommandRules
