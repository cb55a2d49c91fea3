// Reads a tree view of the program under test. Tree items are read through a buffer
// reserved in the program's own memory, since the tree view writes its answers where
// the request points and its items carry pointers that do not cross processes.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

struct TreeNode {
    int depth;
    std::string text;
    LPARAM data;  // the item's parameter
    HTREEITEM item;
};

class ProgramTree {
  public:
    ProgramTree(HWND tree, DWORD processId);
    ~ProgramTree();
    ProgramTree(const ProgramTree&) = delete;
    ProgramTree& operator=(const ProgramTree&) = delete;

    bool Ready() const { return buffer_ != nullptr; }
    // Every node, parents before their children, in the tree's order.
    std::vector<TreeNode> Nodes();
    HTREEITEM Find(const std::string& text);
    bool Expanded(HTREEITEM item);
    HTREEITEM Selected();
    // The parameter of the selected node: -1 when none is selected, -2 when unreadable.
    LPARAM SelectedData();
    void Select(HTREEITEM item);
    // The item's text rectangle in the tree's client area.
    RECT TextRect(HTREEITEM item);

  private:
    HTREEITEM Next(HTREEITEM from, UINT how);
    void Walk(HTREEITEM item, int depth, std::vector<TreeNode>& nodes);
    bool Read(TreeNode& node);

    HWND tree_;
    HANDLE process_ = nullptr;
    void* buffer_ = nullptr;
};
