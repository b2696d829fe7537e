#pragma once

#include <utility>

// Raises ThreadAccessingUIException unless called on the main thread.
void RequireMainThread();

// The state of a user-interface object, reached only on the main thread: a call from any other
// thread is refused before it reads or changes anything.
template <class T> T& OnMainThread(T& state)
{
    RequireMainThread();
    return state;
}

// Makes a user-interface object once the thread is checked: one refused on another thread makes nothing.
template <class T, class... Args> T* NewOnMainThread(Args&&... args)
{
    RequireMainThread();
    return new T(std::forward<Args>(args)...);
}
