#include "program_tree_win.h"

namespace {
constexpr SIZE_T kBufferBytes = 4096;
constexpr size_t kMostNodes = 200;
}  // namespace

ProgramTree::ProgramTree(HWND tree, DWORD processId) : tree_(tree) {
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        buffer_ = VirtualAllocEx(process_, nullptr, kBufferBytes, MEM_COMMIT | MEM_RESERVE,
                                 PAGE_READWRITE);
}

ProgramTree::~ProgramTree() {
    if (buffer_) VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

std::vector<TreeNode> ProgramTree::Nodes() {
    std::vector<TreeNode> nodes;
    Walk(Next(nullptr, TVGN_ROOT), 0, nodes);
    return nodes;
}

HTREEITEM ProgramTree::Find(const std::string& text) {
    for (const TreeNode& node : Nodes())
        if (node.text == text) return node.item;
    return nullptr;
}

bool ProgramTree::Expanded(HTREEITEM item) {
    return (SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

HTREEITEM ProgramTree::Selected() {
    return Next(nullptr, TVGN_CARET);
}

LPARAM ProgramTree::SelectedData() {
    HTREEITEM item = Selected();
    if (!item) return -1;
    TreeNode node{0, "", 0, item};
    return Read(node) ? node.data : -2;
}

void ProgramTree::Select(HTREEITEM item) {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

RECT ProgramTree::TextRect(HTREEITEM item) {
    RECT r = {};
    *reinterpret_cast<HTREEITEM*>(&r) = item;
    SIZE_T moved = 0;
    WriteProcessMemory(process_, buffer_, &r, sizeof r, &moved);
    if (SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer_)))
        ReadProcessMemory(process_, buffer_, &r, sizeof r, &moved);
    else
        r = RECT{};
    return r;
}

HTREEITEM ProgramTree::Next(HTREEITEM from, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

void ProgramTree::Walk(HTREEITEM item, int depth, std::vector<TreeNode>& nodes) {
    for (; item && nodes.size() < kMostNodes; item = Next(item, TVGN_NEXT)) {
        TreeNode node{depth, "", 0, item};
        Read(node);
        nodes.push_back(node);
        Walk(Next(item, TVGN_CHILD), depth + 1, nodes);
    }
}

bool ProgramTree::Read(TreeNode& node) {
    auto* remote = static_cast<char*>(buffer_);
    TVITEMA request = {};
    request.mask = TVIF_TEXT | TVIF_PARAM;
    request.hItem = node.item;
    request.pszText = remote + sizeof request;
    request.cchTextMax = 256;
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, remote, &request, sizeof request, &moved)) return false;
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote))) return false;
    TVITEMA answer = {};
    char text[257] = "";
    if (!ReadProcessMemory(process_, remote, &answer, sizeof answer, &moved) ||
        !ReadProcessMemory(process_, remote + sizeof request, text, 256, &moved))
        return false;
    node.text = text;
    node.data = answer.lParam;
    return true;
}
