// Program entry: the application object, the main form from its stored layout, and
// the message loop until the main form closes.

#include "app/umain.h"
#include "framework/forms/Application.h"
#include "skin/window/SkinManage.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        TApplication application;
        // The skin on the main form skins every window of the program through this manager.
        TSkinManage::Install();
        application.CreateForm<TFmain>();
        application.Run();
    } catch (...) {
        // The main form could not be made: say why, and end without a window.
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
