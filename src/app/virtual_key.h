#pragma once

class QKeyEvent;

// The virtual-key code of a key event: letters and digits have the codes of their upper-case
// characters (W is 0x57); every other key gives 0, a key that the view ignores. A key whose
// character is no Latin letter (a Cyrillic or Greek layout) gives the letter at its position on
// a US keyboard, from the native key code.
int virtualKey(const QKeyEvent& event);

// The letter's code at a key position given by an X11/xkb key code (evdev code + 8), or 0.
int letterAtXkbKeycode(unsigned keycode);
