#include "framework/core/Component.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"

#include <algorithm>

TComponent::~TComponent() {
    Retire();
    DestroyComponents();
    if (m_owner) (void)m_owner->RemoveComponent(*this).release();  // we are being deleted already
}

void TComponent::DestroyComponents() {
    m_state = m_state | ComponentState::Destroying;
    // Pop before destroying, so that a component reaching back into this owner
    // while it dies finds itself already gone.
    while (!m_components.empty()) {
        auto last = std::move(m_components.back());
        m_components.pop_back();
        Notification(*last, Operation::Remove);
        last->m_owner = nullptr;
        Dispose(std::move(last));
    }
}

const std::shared_ptr<TComponent*>& TComponent::LifeCell() const {
    if (!m_lifeCell)
        m_lifeCell = std::make_shared<TComponent*>(IsDestroying() ? nullptr : const_cast<TComponent*>(this));
    return m_lifeCell;
}

void TComponent::Retire() noexcept {
    m_state = m_state | ComponentState::Destroying;
    if (m_lifeCell) *m_lifeCell = nullptr;
}

void TComponent::Dispose(std::unique_ptr<TComponent> component) noexcept {
    if (!component) return;
    component->Retire();
    component.reset();
}

void FreeComponent(TComponent* component) {
    if (!component || component->IsDestroying()) return;
    TComponent* owner = component->Owner();
    if (!owner)
        throw EInvalidOperation(u"A " + std::u16string(component->ClassName()) +
                                u" without an owner is freed by whoever holds it");
    owner->DestroyComponent(*component);
}

TComponent& TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
    TComponent& c = *component;
    c.m_owner = this;
    m_components.push_back(std::move(component));
    Notification(c, Operation::Insert);
    return c;
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent& component) {
    auto it = std::find_if(m_components.begin(), m_components.end(),
                           [&](const auto& p) { return p.get() == &component; });
    if (it == m_components.end()) return nullptr;
    auto owned = std::move(*it);
    m_components.erase(it);
    owned->m_owner = nullptr;
    Notification(component, Operation::Remove);
    return owned;
}

void TComponent::DestroyComponent(TComponent& component) { Dispose(RemoveComponent(component)); }

void TComponent::SetName(std::u16string_view name) { m_name = name; }

TComponent* TComponent::Components(int index) const noexcept {
    if (index < 0 || index >= ComponentCount()) return nullptr;
    return m_components[static_cast<size_t>(index)].get();
}

TComponent* TComponent::FindComponent(std::u16string_view name) const noexcept {
    if (name.empty()) return nullptr;
    for (const auto& c : m_components)
        if (SameText(c->m_name, name)) return c.get();
    return nullptr;
}

void TComponent::SetLoading(bool loading) noexcept {
    auto bits = static_cast<unsigned>(m_state);
    const auto flag = static_cast<unsigned>(ComponentState::Loading);
    m_state = static_cast<ComponentState>(loading ? bits | flag : bits & ~flag);
}

void TComponent::Loaded() { SetLoading(false); }

void TComponent::Notification(TComponent&, Operation) {}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Publish(TPublisher<TComponent>& p) {
    // Read-only here: a layout names each component in its entry's header, where the
    // name is checked to be an identifier and unique.
    p.String(u"Name", &TComponent::Name, nullptr);
    p.Integer(u"Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}
