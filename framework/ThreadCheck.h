#pragma once

// Raises ThreadAccessingUIException unless called on the main thread.
void RequireMainThread();
