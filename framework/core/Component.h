#pragma once
// Base of every component: an owner that destroys what it owns, a name, a tag,
// and the loading and destroying states that streaming and teardown look at.
// Platform-neutral.

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
    TComponent* m_owner = nullptr;
    std::u16string m_name;
    int32_t m_tag = 0;
    ComponentState m_state = ComponentState::None;
    std::vector<std::unique_ptr<TComponent>> m_components;
};
