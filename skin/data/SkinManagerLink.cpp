#include "skin/data/SkinManagerLink.h"

namespace {

struct Module {
    SkinManagerLink::Maker maker = nullptr;
    std::unique_ptr<SkinManagerLink> manager;
};

Module& TheModule() noexcept {
    static Module module;
    return module;
}

}  // namespace

SkinManagerLink* SkinManagerLink::Instance() noexcept { return TheModule().manager.get(); }

SkinManagerLink* SkinManagerLink::CreateInstance() {
    Module& module = TheModule();
    if (!module.manager && module.maker) module.manager = module.maker();
    return module.manager.get();
}

void SkinManagerLink::DestroyInstance() noexcept { TheModule().manager.reset(); }

void SkinManagerLink::SetMaker(Maker maker) noexcept { TheModule().maker = maker; }
