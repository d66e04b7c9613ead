#include "framework/controls/TreeView.h"

#include <algorithm>
#include <vector>

// ---- nodes -------------------------------------------------------------------------------

void TTreeNode::SetLevel(int value) {
    if (value == m_level) return;
    // A new depth moves the node within the tree: the whole tree is shown again.
    TCollection* nodes = Collection();
    if (nodes) nodes->BeginUpdate();
    m_level = value;
    if (nodes) nodes->EndUpdate();
}

TTreeNode* TTreeNode::Parent() const noexcept {
    auto* nodes = static_cast<TTreeNodes*>(Collection());
    if (!nodes || m_level == 0) return nullptr;
    for (int i = Index() - 1; i >= 0; --i)
        if (nodes->Items(i)->m_level < m_level) return nodes->Items(i);
    return nullptr;
}

int TTreeNode::ChildCount() const noexcept {
    int count = 0;
    while (Child(count)) ++count;
    return count;
}

TTreeNode* TTreeNode::Child(int index) const noexcept {
    auto* nodes = static_cast<TTreeNodes*>(Collection());
    if (!nodes || index < 0) return nullptr;
    const int self = Index();
    for (int i = self + 1; i < nodes->SubtreeEnd(self); ++i)
        if (nodes->Items(i)->m_level == m_level + 1 && index-- == 0) return nodes->Items(i);
    return nullptr;
}

void TTreeNode::Publish(TPublisher<TTreeNode>& p) {
    p.String(u"Text", &TTreeNode::Text, &TTreeNode::SetText);
    p.Integer(u"Level", &TTreeNode::Level, &TTreeNode::SetLevel).Default(0);
    p.Bool(u"Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded).Default(false);
}

int TTreeNodes::SubtreeEnd(int index) const noexcept {
    const TTreeNode* node = Items(index);
    if (!node) return index;
    int end = index + 1;
    while (end < Count() && Items(end)->m_level > node->m_level) ++end;
    return end;
}

TTreeNode& TTreeNodes::AddChild(TTreeNode* parent, std::wstring_view text) {
    const int at = parent && parent->Collection() == this ? SubtreeEnd(parent->Index()) : Count();
    BeginUpdate();
    auto& node = static_cast<TTreeNode&>(Insert(at));
    node.m_text = text;
    node.m_level = parent && parent->Collection() == this ? parent->m_level + 1 : 0;
    EndUpdate();
    return node;
}

void TTreeNodes::Delete(TTreeNode& node) {
    const int index = node.Index();
    if (index < 0 || node.Collection() != this) return;
    BeginUpdate();
    for (int end = SubtreeEnd(index); end > index; --end) TCollection::Delete(end - 1);
    EndUpdate();
}

void TTreeNodes::SettleLevels() noexcept {
    int previous = -1;
    for (int i = 0; i < Count(); ++i) {
        TTreeNode& node = *Items(i);
        node.m_level = std::clamp(node.m_level, 0, previous + 1);
        previous = node.m_level;
    }
}

void TTreeNodes::Update(TCollectionItem* item) {
    if (!item) SettleLevels();
    m_view.NodesChanged(As<TTreeNode>(item));
}

// ---- the view ----------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView() {
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = WC_TREEVIEWW;
    params.commonControls = ICC_TREEVIEW_CLASSES;
    params.style |= TVS_SHOWSELALWAYS;
    if (m_showLines) params.style |= TVS_HASLINES;
    if (m_showButtons) params.style |= TVS_HASBUTTONS;
    if (m_showRoot) params.style |= TVS_LINESATROOT;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::InitializeWindow() {
    ::SendMessageW(HandleIfAllocated(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendNodes();
}

void TCustomTreeView::DestroyWnd() {
    if (HandleAllocated() && !IsDestroying()) m_selected = SelectedIndex();
    for (int i = 0; i < m_nodes.Count(); ++i) m_nodes.Items(i)->m_item = nullptr;
    TWinControl::DestroyWnd();
}

void TCustomTreeView::SendNodes() {
    HWND tree = HandleIfAllocated();
    if (!tree) return;
    m_sending = true;
    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    // The last node made at each depth is the parent of the next one deeper.
    std::vector<HTREEITEM> parents;
    for (int i = 0; i < m_nodes.Count(); ++i) {
        TTreeNode& node = *m_nodes.Items(i);
        parents.resize(static_cast<size_t>(node.m_level));
        std::wstring text = node.m_text;
        TVINSERTSTRUCTW insert{};
        insert.hParent = parents.empty() ? TVI_ROOT : parents.back();
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = text.data();
        node.m_item = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        parents.push_back(node.m_item);
    }
    // Expanding needs the children in place.
    for (int i = 0; i < m_nodes.Count(); ++i)
        if (m_nodes.Items(i)->m_expanded) SendNode(*m_nodes.Items(i));
    SetSelectedIndex(m_selected);
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    m_sending = false;
}

void TCustomTreeView::SendNode(const TTreeNode& node) {
    HWND tree = HandleIfAllocated();
    if (!tree || !node.m_item) return;
    std::wstring text = node.m_text;
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node.m_item;
    item.pszText = text.data();
    ::SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(tree, TVM_EXPAND, node.m_expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node.m_item));
}

void TCustomTreeView::NodesChanged(const TTreeNode* node) {
    if (m_following) return;
    if (!HandleAllocated()) {
        if (!IsLoading()) m_selected = std::min(m_selected, m_nodes.Count() - 1);
        return;
    }
    if (node && node->m_item) {
        SendNode(*node);
        return;
    }
    // The chosen node stays chosen by place, as far as there are nodes.
    m_selected = std::min(SelectedIndex(), m_nodes.Count() - 1);
    SendNodes();
}

TTreeNode* TCustomTreeView::NodeOf(HTREEITEM item) const noexcept {
    if (!item) return nullptr;
    for (int i = 0; i < m_nodes.Count(); ++i)
        if (m_nodes.Items(i)->m_item == item) return m_nodes.Items(i);
    return nullptr;
}

TTreeNode* TCustomTreeView::Selected() const noexcept {
    HWND tree = HandleIfAllocated();
    if (!tree) return m_nodes.Items(m_selected);
    return NodeOf(reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    SetSelectedIndex(node && node->Collection() == &m_nodes ? node->Index() : -1);
}

int TCustomTreeView::SelectedIndex() const noexcept {
    if (!HandleAllocated()) return m_selected;
    const TTreeNode* node = Selected();
    return node ? node->Index() : -1;
}

void TCustomTreeView::SetSelectedIndex(int value) {
    if (!IsLoading()) value = std::clamp(value, -1, m_nodes.Count() - 1);
    m_selected = value;
    HWND tree = HandleIfAllocated();
    if (!tree || IsLoading()) return;
    const TTreeNode* node = m_nodes.Items(value);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->m_item : nullptr));
}

void TCustomTreeView::SendStyle(DWORD bit, bool on) {
    UpdateStyle(on ? bit : 0, on ? 0 : bit, false);
    Invalidate();
}

void TCustomTreeView::SetShowLines(bool value) {
    m_showLines = value;
    SendStyle(TVS_HASLINES, value);
}

void TCustomTreeView::SetShowButtons(bool value) {
    m_showButtons = value;
    SendStyle(TVS_HASBUTTONS, value);
}

void TCustomTreeView::SetShowRoot(bool value) {
    m_showRoot = value;
    SendStyle(TVS_LINESATROOT, value);
}

void TCustomTreeView::Loaded() {
    TWinControl::Loaded();
    SetSelectedIndex(m_selected);
}

void TCustomTreeView::WndProc(TMessage& message) {
    if (message.Msg != kMsgReflectNotify || !message.LParam) {
        TWinControl::WndProc(message);
        return;
    }
    message.Result = 0;
    const auto& notice = *reinterpret_cast<const NMTREEVIEWW*>(message.LParam);
    switch (notice.hdr.code) {
    case TVN_SELCHANGEDW:
        if (!m_sending) Fire(OnChange, this, NodeOf(notice.itemNew.hItem));
        return;
    case TVN_ITEMEXPANDEDW:
        // What the user opened or closed stays so in the next window.
        if (TTreeNode* node = NodeOf(notice.itemNew.hItem); node && !m_sending) {
            m_following = true;
            node->SetExpanded((notice.action & TVE_EXPAND) != 0);
            m_following = false;
        }
        return;
    default: return;
    }
}

void TCustomTreeView::Publish(TPublisher<TCustomTreeView>& p) {
    p.Object(u"Items", &TCustomTreeView::Items);
    p.Bool(u"ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines).Default(true);
    p.Bool(u"ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons).Default(true);
    p.Bool(u"ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot).Default(true);
    p.Integer(u"SelectedIndex", &TCustomTreeView::SelectedIndex, &TCustomTreeView::SetSelectedIndex).Default(-1);
    p.Event(u"OnChange", &TCustomTreeView::OnChange);
}
