// Shows the framework's sample form.

#include "framework/forms/Application.h"
#include "tests/framework/sample/SampleForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        TApplication app;
        app.CreateForm<TSampleForm>();
        app.Run();
    } catch (...) {
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
