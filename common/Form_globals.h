#pragma once
// The forms a program makes once at start-up: each sits in its global until the program
// destroys them all, the last made first, clearing every global.

#include <functional>

class QWidget;

namespace forms {

// Runs `destroy` when the program's forms are destroyed, after those kept later.
void keepUntilDestroyed(std::function<void()> destroy);

// Makes the form into its global.
template <class T> void Create(T*& global, QWidget* parent) {
    global = new T(parent);
    keepUntilDestroyed([&global] {
        delete global;
        global = nullptr;
    });
}

// Deletes every kept form in the reverse order of making.
void destroyAll();

} // namespace forms
