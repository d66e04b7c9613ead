#pragma once
// A window's life as a control skin sees it, for tests: where the skins register.

#include "framework/core/Component.h"
#include "skin/controls/ControlSkinHost.h"

#include <algorithm>
#include <vector>

class TSkinControl;

class TestHost final : public TComponent, public ControlSkinHost {
public:
    bool RegisterControl(TSkinControl& skin) override {
        const bool known = std::find(skins.begin(), skins.end(), &skin) != skins.end();
        if (!known) skins.push_back(&skin);
        return known;
    }
    void UnregisterControl(TSkinControl& skin) noexcept override { std::erase(skins, &skin); }
    void SetHoverControl(TSkinControl* skin) noexcept override { hover = skin; }
    TComponent& HostComponent() noexcept override { return *this; }
    std::vector<TSkinControl*> skins;
    TSkinControl* hover = nullptr;
};
