// The gallery: every window kind the skin engine knows, skinned as in the program.
//   gallery.exe [--open kind ...]   opens those kinds at start ("all": every kind that is not modal)

#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/window/SkinManage.h"

#include <string>
#include <vector>

#include <shellapi.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<std::wstring> open;
    int count = 0;
    if (wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i + 1 < count; ++i)
            if (std::wstring(args[i]) == L"--open") open.emplace_back(args[++i]);
        ::LocalFree(args);
    }
    try {
        TApplication application;
        application.SetTitle(L"Kestrelle gallery");
        TSkinManage::Install();
        auto& form = application.CreateForm<TGalleryForm>();
        form.Build(std::move(open));
        application.Run();
    } catch (...) {
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
