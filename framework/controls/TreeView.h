#pragma once
// A tree view on the common tree-view control. The control keeps the nodes: one list in
// the order the tree shows them fully expanded, each node with its text, its depth
// (Level) and whether it is expanded; a node's children are the deeper nodes after it.
// That list is what a stored layout holds, so a layout nests nothing however deep the
// tree. The nodes, the chosen node and what the user expanded outlive a re-created
// window. OnChange fires when the chosen node changes, by the user or by code.

#include "framework/controls/WinControl.h"
#include "framework/core/Collection.h"

#include <functional>
#include <string>
#include <string_view>

#include <commctrl.h>

class TCustomTreeView;

class TTreeNode : public TCollectionItem {
    KESTRELLE_CLASS(TTreeNode, TCollectionItem)

public:
    const std::wstring& Text() const noexcept { return m_text; }
    void SetText(std::wstring_view value) { ChangeField(m_text, value); }
    // 0 for a root; at most one more than the node before (a larger value stands for that).
    int Level() const noexcept { return m_level; }
    void SetLevel(int value);
    bool Expanded() const noexcept { return m_expanded; }
    void SetExpanded(bool value) { ChangeField(m_expanded, value); }

    // The node this one is a child of; null for a root. Not owned.
    TTreeNode* Parent() const noexcept;
    int ChildCount() const noexcept;
    // Child `index`; null outside the range. Not owned.
    TTreeNode* Child(int index) const noexcept;

    static void Publish(TPublisher<TTreeNode>& p);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;

    std::wstring m_text;
    int m_level = 0;
    bool m_expanded = false;
    HTREEITEM m_item = nullptr;  // the node in the window, while there is one
};

// The nodes of one tree view; owned by the view.
class TTreeNodes : public TCollection {
    KESTRELLE_CLASS(TTreeNodes, TCollection)

public:
    explicit TTreeNodes(TCustomTreeView& view) noexcept : TCollection(TCollection::Of<TTreeNode>()), m_view{view} {}

    // A new last child of `parent`, or a new last root for null.
    TTreeNode& AddChild(TTreeNode* parent, std::wstring_view text);
    // Removes the node and its children (by index: the node alone, its children move up).
    void Delete(TTreeNode& node);
    using TCollection::Delete;
    // The node at `index` in the list; null outside the range.
    TTreeNode* Items(int index) const noexcept { return ItemAs<TTreeNode>(index); }
    // The index after the node's last descendant.
    int SubtreeEnd(int index) const noexcept;

protected:
    void Update(TCollectionItem* item) override;

private:
    // Makes every level a valid depth.
    void SettleLevels() noexcept;

    TCustomTreeView& m_view;
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TCustomTreeView : public TWinControl {
    KESTRELLE_CLASS(TCustomTreeView, TWinControl)

public:
    TCustomTreeView();

    TTreeNodes& Items() noexcept { return m_nodes; }
    bool ShowLines() const noexcept { return m_showLines; }
    void SetShowLines(bool value);
    bool ShowButtons() const noexcept { return m_showButtons; }
    void SetShowButtons(bool value);
    // Lines and buttons also at the roots.
    bool ShowRoot() const noexcept { return m_showRoot; }
    void SetShowRoot(bool value);
    // The chosen node; null none. Not owned.
    TTreeNode* Selected() const noexcept;
    void SetSelected(TTreeNode* node);
    // The same by index in Items; -1 none.
    int SelectedIndex() const noexcept;
    void SetSelectedIndex(int value);

    TTVChangedEvent OnChange;

    void Loaded() override;
    static void Publish(TPublisher<TCustomTreeView>& p);

    // The nodes changed: all of them (null) or one node's text or expansion.
    void NodesChanged(const TTreeNode* node);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void SendNodes();
    void SendNode(const TTreeNode& node);
    void SendStyle(DWORD bit, bool on);
    TTreeNode* NodeOf(HTREEITEM item) const noexcept;

    TTreeNodes m_nodes{*this};
    bool m_showLines = true;
    bool m_showButtons = true;
    bool m_showRoot = true;
    int m_selected = -1;
    bool m_following = false;  // a node takes its state from the window: nothing to send back
    bool m_sending = false;    // the window is being filled: its notices are ours, not the user's
};

class TTreeView : public TCustomTreeView {
    KESTRELLE_CLASS(TTreeView, TCustomTreeView)
};
