// CControlList: the plug-in's controls, a singly linked list addressed by
// position (0 at the head, in append order). The list owns its nodes.
#pragma once

#include "framework/control_descriptor.h"

#include <cstdint>

class CControlList
{
public:
    CControlList() = default;
    ~CControlList();
    CControlList(const CControlList&) = delete;
    CControlList& operator=(const CControlList&) = delete;

    /// Appends a copy of descriptor; the caller keeps its own. [main]
    void append(const CControlDescriptor& descriptor);
    /// Number of controls, counted by walking the list. [any]
    int32_t count() const;
    /// The descriptor at position, or null at or beyond the end. [any]
    CControlDescriptor* at(int32_t position) const;
    /// Unlinks and deletes the first control whose controlId equals descriptor's. [main]
    void removeById(const CControlDescriptor& descriptor);
    /// Deletes every control. [main]
    void clear();

private:
    struct Node
    {
        CControlDescriptor descriptor;
        Node* next = nullptr;
    };

    Node* m_pHead = nullptr;
};
