#pragma once
// An owned, ordered list of items of one class, each with published properties of
// its own (a status bar's panels). The collection owns its items. Platform-neutral.

#include "framework/core/Persistent.h"
#include "framework/core/Properties.h"

#include <memory>
#include <utility>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    KESTRELLE_CLASS(TCollectionItem, TPersistent)

public:
    // The collection that owns this item; null before it is added.
    TCollection* Collection() const noexcept { return m_collection; }
    // Position in the collection; -1 when not in one.
    int Index() const noexcept;
    // Moves the item to `index` (clamped to the collection).
    void SetIndex(int index);

protected:
    // Tells the collection that this item's values changed (it updates its owner).
    void Changed();
    // Sets `field` and tells the collection, if the value differs.
    template <class T, class V>
    void ChangeField(T& field, V&& value) {
        if (field == value) return;
        field = std::forward<V>(value);
        Changed();
    }

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;
};

class TCollection : public TPersistent {
    KESTRELLE_CLASS(TCollection, TPersistent)

public:
    // The class of a collection's items and how to make one.
    struct ItemType {
        const TClass* cls;
        std::unique_ptr<TCollectionItem> (*make)();
    };
    template <class Item>
    static ItemType Of() noexcept {
        return {&Item::StaticClass(), []() -> std::unique_ptr<TCollectionItem> { return std::make_unique<Item>(); }};
    }

    explicit TCollection(ItemType itemType) noexcept : m_itemType(itemType) {}
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    const TClass& ItemClass() const noexcept { return *m_itemType.cls; }
    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    // Item `index`; null outside the collection.
    TCollectionItem* Items(int index) const noexcept;
    template <class Item>
    Item* ItemAs(int index) const noexcept {
        return As<Item>(Items(index));
    }

    // A new item of the item class at the end (or at `index`); the collection owns it.
    TCollectionItem& Add();
    TCollectionItem& Insert(int index);
    void Delete(int index);
    void Clear();

    // Batches changes: Update runs once, at the outermost EndUpdate.
    void BeginUpdate() noexcept { ++m_updateCount; }
    void EndUpdate();

    // Copies the items of another collection of the same item class, property by property.
    void Assign(const TPersistent& source) override;

protected:
    // An item changed (`item`) or items were added, removed or moved (null). Owners
    // that show the items (a status bar) override this to refresh.
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* item);
    void Move(int from, int to);

    ItemType m_itemType;
    std::vector<std::unique_ptr<TCollectionItem>> m_items;
    int m_updateCount = 0;
};
