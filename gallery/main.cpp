// The gallery: every window kind the skin engine knows, skinned as in the program.
//   gallery.exe [--open kind ...] [--page name] [--skin file]
//     --open  opens those kinds at start ("all": every kind that is not modal)
//     --page  shows that page first ("windows", the default, "controls", "scrolling", "tabs", "media" or "menus")
//     --skin  loads that .skin file instead of the program's own skin

#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"

#include <string>
#include <vector>

#include <shellapi.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<std::wstring> open;
    std::wstring page = L"windows";
    std::wstring skin;
    int count = 0;
    if (wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i + 1 < count; ++i) {
            const std::wstring option = args[i];
            if (option == L"--open") open.emplace_back(args[++i]);
            else if (option == L"--page") page = args[++i];
            else if (option == L"--skin") skin = args[++i];
        }
        ::LocalFree(args);
    }
    try {
        TApplication application;
        application.SetTitle(L"Kestrelle gallery");
        TSkinManage::Install();
        auto& form = application.CreateForm<TGalleryForm>();
        if (!form.Build(std::move(open), page, skin))
            application.MessageBox(L"No page is called \"" + page + L"\"; the gallery shows its first.");
        if (!skin.empty() && form.Skin()->NoSkin())
            application.MessageBox(L"The skin file \"" + skin + L"\" could not be loaded; the gallery runs unskinned.");
        application.Run();
    } catch (...) {
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
