#include "app/Startup.h"

// The command line is not looked at: the program takes no arguments.
int main()
{
    return _Main();
}
