#include "framework/control_list.h"

CControlList::~CControlList()
{
    clear();
}

void CControlList::append(const CControlDescriptor& descriptor)
{
    Node* node = new Node;  // may throw; the list is unchanged then
    node->descriptor = descriptor;
    Node** link = &m_pHead;
    while (*link != nullptr)
        link = &(*link)->next;
    *link = node;
}

int32_t CControlList::count() const
{
    int32_t n = 0;
    for (const Node* node = m_pHead; node != nullptr; node = node->next)
        ++n;
    return n;
}

CControlDescriptor* CControlList::at(int32_t position) const
{
    if (position < 0)
        return nullptr;
    Node* node = m_pHead;
    for (int32_t i = 0; node != nullptr && i < position; ++i)
        node = node->next;
    return node != nullptr ? &node->descriptor : nullptr;
}

void CControlList::removeById(const CControlDescriptor& descriptor)
{
    for (Node** link = &m_pHead; *link != nullptr; link = &(*link)->next)
    {
        if ((*link)->descriptor.controlId == descriptor.controlId)
        {
            Node* doomed = *link;
            *link = doomed->next;
            delete doomed;
            return;
        }
    }
}

void CControlList::clear()
{
    while (m_pHead != nullptr)
    {
        Node* next = m_pHead->next;
        delete m_pHead;
        m_pHead = next;
    }
}
