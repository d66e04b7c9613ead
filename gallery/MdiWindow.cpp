#include "gallery/MdiWindow.h"

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"

#include <string>
#include <string_view>

namespace {

TMenuItem& AddItem(TComponent& owner, TMenuItem& parent, std::wstring_view caption, TShortCut shortCut = scNone) {
    auto& item = owner.Create<TMenuItem>();
    item.SetCaption(caption);
    item.SetShortCut(shortCut);
    parent.Add(item);
    return item;
}

}  // namespace

TCustomForm& AddMdiChild(TCustomForm& frame) {
    static int made = 0;
    ++made;
    // The frame owns its children: they go with it.
    auto& child = frame.Create<TForm>();
    child.SetFormStyle(TFormStyle::fsMDIChild);
    child.SetCaption(L"子窗口 Child " + std::to_wstring(made));
    child.SetPosition(TPosition::poDesigned);
    const int step = ((made - 1) % 6) * 26;
    child.SetBounds(step, step, 260, 150);
    auto& button = child.Create<TButton>();
    button.SetParent(&child);
    button.SetCaption(L"Button " + std::to_wstring(made));
    button.SetBounds(12, 12, 100, 26);
    auto& edit = child.Create<TEdit>();
    edit.SetParent(&child);
    edit.SetText(L"Edit in child " + std::to_wstring(made));
    edit.SetBounds(12, 48, 180, 22);
    child.Show();
    return child;
}

TCustomForm& OpenMdiWindow(TComponent& owner) {
    auto& frame = owner.Create<TForm>();
    frame.SetFormStyle(TFormStyle::fsMDIForm);
    frame.SetCaption(L"An MDI window");
    frame.SetPosition(TPosition::poDesigned);
    frame.SetBounds(200, 90, 620, 440);
    if (auto* main = Application ? Application->MainForm() : nullptr) frame.SetIcon(main->Icon());

    auto& menu = frame.Create<TMainMenu>();
    TMenuItem& file = AddItem(frame, menu.Items(), L"&File");
    AddItem(frame, file, L"&New child", TextToShortCut(u"Ctrl+N")).OnClick = [&frame](TObject*) {
        AddMdiChild(frame);
    };
    AddItem(frame, file, L"&Close").OnClick = [&frame](TObject*) {
        if (TCustomForm* child = frame.ActiveMDIChild()) child->Close();
    };
    // Every window in the system's look and back, to compare the two.
    AddItem(frame, file, L"&Skin on or off", TextToShortCut(u"Ctrl+K")).OnClick = [](TObject*) {
        const TSkinManage* manager = TSkinManage::Instance();
        if (TSkinData* skin = manager ? manager->MainSkinData() : nullptr) skin->SetActive(!skin->Active());
    };
    TMenuItem& window = AddItem(frame, menu.Items(), L"&Window");
    AddItem(frame, window, L"&Tile").OnClick = [&frame](TObject*) { frame.Tile(); };
    AddItem(frame, window, L"&Cascade").OnClick = [&frame](TObject*) { frame.Cascade(); };
    AddItem(frame, window, L"&Arrange icons").OnClick = [&frame](TObject*) { frame.ArrangeIcons(); };
    frame.SetMenu(&menu);
    frame.SetWindowMenu(&window);
    frame.Show();
    for (int i = 0; i < 3; ++i) AddMdiChild(frame);
    return frame;
}
