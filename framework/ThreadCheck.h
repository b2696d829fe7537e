#pragma once

// Raises ThreadAccessingUIException unless called on the main thread.
void RequireMainThread();

// The state of a user-interface object, reached only on the main thread: a call from any other
// thread is refused before it reads or changes anything.
template <class T> T& OnMainThread(T& state)
{
    RequireMainThread();
    return state;
}
