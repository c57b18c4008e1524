#pragma once

class QKeyEvent;

// The virtual-key code of a key event: letters and digits have the codes of their upper-case
// characters (W is 0x57); every other key gives 0, a key that the view ignores.
int virtualKey(const QKeyEvent& event);
