// The program's entry point.
#include "shell/win32_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand)
{
    if (!scrivlet::StartScrivlet(instance, previousInstance, commandLine, showCommand))
        return 0;
    return scrivlet::RunMessageLoop();
}
