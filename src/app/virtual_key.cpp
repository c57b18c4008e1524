#include "app/virtual_key.h"

#include <string_view>

#include <QKeyEvent>

int letterAtXkbKeycode(unsigned keycode) {
    // The three letter rows of a US keyboard, by key code.
    struct Row {
        unsigned first;
        const char* letters;
    };
    static constexpr Row kRows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
    for (const Row& row : kRows) {
        const std::string_view letters(row.letters);
        if (keycode >= row.first && keycode < row.first + letters.size())
            return letters[keycode - row.first];
    }
    return 0;
}

int virtualKey(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
#ifdef Q_OS_WIN
    // Windows gives the letter keys the virtual keys of their positions on every layout.
    const unsigned native = event.nativeVirtualKey();
    return native >= 'A' && native <= 'Z' ? static_cast<int>(native) : 0;
#else
    return letterAtXkbKeycode(event.nativeScanCode());
#endif
}
