#pragma once
// Base of every component: an owner that destroys what it owns, a name, a tag,
// and the loading and destroying states that streaming and teardown look at.
// Platform-neutral.
//
// Who frees a component. Its owner holds it (the only unique_ptr to it) and frees it at
// the latest when the owner dies. Anyone else that keeps it and may end it earlier (the
// skin manager its window skins, a window skin its control skins; both also owned by a
// form or a control) keeps a ComponentRef, never a unique_ptr, and frees it with
// FreeComponent, which goes through the owner: the owner drops it from its list before
// destroying it, so the owner's own end does not free it again. Whichever comes first,
// the other finds nothing left: the ComponentRef turns null as soon as the component is
// on its way out. A component without an owner belongs to whoever holds its unique_ptr;
// a holder that makes such components and may free them at any time gives them an owner
// of its own (a plain TComponent it keeps), so that every component is freed one way.

#include "framework/core/Object.h"
#include "framework/core/Properties.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class Operation { Insert, Remove };

enum class ComponentState : unsigned {
    None = 0,
    Loading = 1,     // properties are being read from a stored layout
    Destroying = 2,  // the destructor has started
};
constexpr ComponentState operator|(ComponentState a, ComponentState b) noexcept {
    return static_cast<ComponentState>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool HasState(ComponentState set, ComponentState flag) noexcept {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(flag)) != 0;
}

class TComponent : public TObject {
    KESTRELLE_CLASS(TComponent, TObject)

public:
    TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Destroys the owned components, last created first, then leaves the owner.
    // A class whose owned components must die while its own members still live
    // calls DestroyComponents first in its own destructor.
    ~TComponent() override;
    void DestroyComponents();

    // Creates a T owned by this component; it lives until this component is
    // destroyed or it is destroyed through DestroyComponent.
    template <class T, class... Args>
    T& Create(Args&&... args) {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *component;
        InsertComponent(std::move(component));
        return result;
    }

    // Takes ownership of `component` (which must have no owner yet).
    TComponent& InsertComponent(std::unique_ptr<TComponent> component);
    // Hands ownership of `component` back to the caller; null if this does not own it.
    [[nodiscard]] std::unique_ptr<TComponent> RemoveComponent(TComponent& component);
    // Destroys an owned component now.
    void DestroyComponent(TComponent& component);

    TComponent* Owner() const noexcept { return m_owner; }
    const std::u16string& Name() const noexcept { return m_name; }
    virtual void SetName(std::u16string_view name);
    int32_t Tag() const noexcept { return m_tag; }
    void SetTag(int32_t tag) noexcept { m_tag = tag; }

    int ComponentCount() const noexcept { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const noexcept;
    // First owned component with this name, compared without regard to ASCII case.
    TComponent* FindComponent(std::u16string_view name) const noexcept;

    // Destroying is set once the component is taken from its owner to be destroyed, or
    // its destructor (or DestroyComponents) has started.
    ComponentState State() const noexcept { return m_state; }
    bool IsLoading() const noexcept { return HasState(m_state, ComponentState::Loading); }
    bool IsDestroying() const noexcept { return HasState(m_state, ComponentState::Destroying); }
    void SetLoading(bool loading) noexcept;

    // Called once after a stored layout has been read completely.
    virtual void Loaded();

    // The component this one sits in on screen (a control's parent), as far as
    // stored layouts are concerned: a layout reader nests a component's entry in
    // its parent's, and hands the parent over with SetParentComponent. Components
    // that are not placed anywhere keep the defaults (none; ignored).
    virtual TComponent* GetParentComponent() const noexcept { return nullptr; }
    virtual void SetParentComponent(TComponent* parent);

    static void Publish(TPublisher<TComponent>& p);

protected:
    // Told about components inserted into or removed from this owner.
    virtual void Notification(TComponent& component, Operation operation);

private:
    template <class T> friend class ComponentRef;
    // The cell every ComponentRef to this component shares; made on the first one.
    const std::shared_ptr<TComponent*>& LifeCell() const;
    // Marks the component as on its way out and nulls its ComponentRefs; before any of
    // its destructors runs, where the owner frees it.
    void Retire() noexcept;
    static void Dispose(std::unique_ptr<TComponent> component) noexcept;

    TComponent* m_owner = nullptr;
    std::u16string m_name;
    int32_t m_tag = 0;
    ComponentState m_state = ComponentState::None;
    std::vector<std::unique_ptr<TComponent>> m_components;
    mutable std::shared_ptr<TComponent*> m_lifeCell;
};

// A pointer to a component that does not own it and turns null once the component is on
// its way out (see "Who frees a component" above). Copyable; UI thread only.
template <class T>
class ComponentRef {
public:
    ComponentRef() noexcept = default;
    ComponentRef(T* component) : m_cell{component ? component->LifeCell() : nullptr} {}

    T* Get() const noexcept { return m_cell ? static_cast<T*>(*m_cell) : nullptr; }
    T* operator->() const noexcept { return Get(); }
    explicit operator bool() const noexcept { return Get() != nullptr; }

private:
    std::shared_ptr<TComponent*> m_cell;
};

// Frees `component` through its owner, so that it is never freed twice. Null, or a
// component already on its way out, is left alone. A component without an owner is its
// holder's to free: asking here throws EInvalidOperation and leaves it as it is.
void FreeComponent(TComponent* component);
