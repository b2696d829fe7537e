#pragma once

// The steps between process start and exit, in the order _Main runs them.
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _LateStartup();
void _MakeDefaultView();
void _RunFinalizers();

// The whole run: start-up, the event loop, shut-down; gives the exit status.
int _Main();
