#include "framework/core/Collection.h"

#include "framework/core/Exception.h"

#include <algorithm>

int TCollectionItem::Index() const noexcept {
    if (!m_collection) return -1;
    for (int i = 0; i < m_collection->Count(); ++i)
        if (m_collection->Items(i) == this) return i;
    return -1;
}

void TCollectionItem::SetIndex(int index) {
    if (m_collection) m_collection->Move(Index(), index);
}

void TCollectionItem::Changed() {
    if (m_collection) m_collection->Changed(this);
}

TCollection::~TCollection() {
    // Items die without telling anyone: the owner is going away too.
    for (auto& item : m_items) item->m_collection = nullptr;
}

TCollectionItem* TCollection::Items(int index) const noexcept {
    if (index < 0 || index >= Count()) return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

TCollectionItem& TCollection::Add() { return Insert(Count()); }

TCollectionItem& TCollection::Insert(int index) {
    auto item = m_itemType.make();
    item->m_collection = this;
    index = std::clamp(index, 0, Count());
    TCollectionItem& result = *item;
    m_items.insert(m_items.begin() + index, std::move(item));
    Changed(nullptr);
    return result;
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    m_items.erase(m_items.begin() + index);
    Changed(nullptr);
}

void TCollection::Clear() {
    if (m_items.empty()) return;
    m_items.clear();
    Changed(nullptr);
}

void TCollection::EndUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0) Update(nullptr);
}

void TCollection::Move(int from, int to) {
    if (from < 0 || from >= Count()) return;
    to = std::clamp(to, 0, Count() - 1);
    if (from == to) return;
    auto item = std::move(m_items[static_cast<size_t>(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(item));
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (m_updateCount == 0) Update(item);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = As<TCollection>(&source);
    if (!other || other->m_itemType.cls != m_itemType.cls) return TPersistent::Assign(source);
    if (other == this) return;
    BeginUpdate();
    try {
        m_items.clear();
        for (const auto& item : other->m_items) AssignPublished(Add(), *item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
