#include "core/id_list.h"

#include "core/allocation.h"

namespace scrivlet {

namespace {

// The iteration cursor. When `advanced` is set, the node under the cursor was
// removed and `cursor` already holds its successor, which the next
// IterateValues(nullptr) returns without moving on. Invariant: `cursor` is
// null or a live node of some list.
struct IterationCursor {
    const IdListNode *cursor;
    bool advanced;
};

IterationCursor iteration = {nullptr, false};

// The largest id + 1, or 1 for an empty list; 0 when the ids are exhausted.
uint32_t NextId(const IdList *list)
{
    uint32_t largest = 0;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next) {
        if (node->id > largest)
            largest = node->id;
    }
    return largest == UINT32_MAX ? 0 : largest + 1;
}

// A node carrying the list's next id and the value, unlinked; null when the
// ids are exhausted or memory runs out.
IdListNode *NewNode(const IdList *list, void *value)
{
    uint32_t id = NextId(list);
    if (id == 0)
        return nullptr;
    IdListNode *node = static_cast<IdListNode *>(EngineAllocate(sizeof(IdListNode)));
    if (node == nullptr)
        return nullptr;
    node->id = id;
    node->value = value;
    node->prev = nullptr;
    node->next = nullptr;
    return node;
}

IdListNode *NodeOfId(const IdList *list, uint32_t id)
{
    for (IdListNode *node = list->first; node != nullptr; node = node->next) {
        if (node->id == id)
            return node;
    }
    return nullptr;
}

void LinkBefore(IdList *list, IdListNode *node, IdListNode *successor)
{
    node->next = successor;
    node->prev = successor->prev;
    if (successor->prev != nullptr)
        successor->prev->next = node;
    else
        list->first = node;
    successor->prev = node;
}

void LinkAfter(IdListNode *node, IdListNode *predecessor)
{
    node->prev = predecessor;
    node->next = predecessor->next;
    if (predecessor->next != nullptr)
        predecessor->next->prev = node;
    predecessor->next = node;
}

// Keeps the cursor off a node that is about to be freed.
void ForgetNode(const IdListNode *node)
{
    if (iteration.cursor == node) {
        iteration.cursor = node->next;
        iteration.advanced = true;
    }
}

} // namespace

IdList *CreateIdList(void)
{
    IdList *list = static_cast<IdList *>(EngineAllocate(sizeof(IdList)));
    if (list == nullptr)
        return nullptr;
    list->first = nullptr;
    return list;
}

void DestroyIdList(IdList **list)
{
    if (list == nullptr || *list == nullptr)
        return;
    ClearIdList(*list);
    EngineFree(*list);
    *list = nullptr;
}

void ClearIdList(IdList *list)
{
    if (list == nullptr)
        return;
    IdListNode *node = list->first;
    while (node != nullptr) {
        IdListNode *next = node->next;
        if (iteration.cursor == node)
            iteration = {nullptr, false};
        EngineFree(node);
        node = next;
    }
    list->first = nullptr;
}

uint32_t PushFront(IdList *list, void *value)
{
    IdListNode *node = list != nullptr ? NewNode(list, value) : nullptr;
    if (node == nullptr)
        return 0;
    node->next = list->first;
    if (list->first != nullptr)
        list->first->prev = node;
    list->first = node;
    return node->id;
}

uint32_t InsertSorted(IdList *list, void *value, IdListPredicate precedes)
{
    if (list == nullptr || precedes == nullptr)
        return 0;
    if (list->first == nullptr)
        return PushFront(list, value);
    IdListNode *node = NewNode(list, value);
    if (node == nullptr)
        return 0;
    IdListNode *reached = list->first;
    while (precedes(reached->value, value) != 0 && reached->next != nullptr)
        reached = reached->next;
    if (precedes(reached->value, value) == 0)
        LinkBefore(list, node, reached);
    else
        LinkAfter(node, reached);
    return node->id;
}

void RemoveId(IdList *list, uint32_t id)
{
    if (list == nullptr)
        return;
    IdListNode *node = NodeOfId(list, id);
    if (node == nullptr)
        return;
    ForgetNode(node);
    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        list->first = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    EngineFree(node);
}

void *ValueOfId(const IdList *list, uint32_t id)
{
    if (list == nullptr)
        return nullptr;
    const IdListNode *node = NodeOfId(list, id);
    return node != nullptr ? node->value : nullptr;
}

void *FindValue(const IdList *list, void *key, IdListPredicate matches, uint32_t *foundId)
{
    if (foundId != nullptr)
        *foundId = 0;
    if (list == nullptr || matches == nullptr)
        return nullptr;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next) {
        if (matches(node->value, key) != 0) {
            if (foundId != nullptr)
                *foundId = node->id;
            return node->value;
        }
    }
    return nullptr;
}

uint32_t CountIds(const IdList *list)
{
    uint32_t count = 0;
    if (list == nullptr)
        return 0;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next)
        ++count;
    return count;
}

void *IterateValues(const IdList *list)
{
    if (list != nullptr)
        iteration = {list->first, false};
    else if (iteration.advanced)
        iteration.advanced = false;
    else if (iteration.cursor != nullptr)
        iteration.cursor = iteration.cursor->next;
    return iteration.cursor != nullptr ? iteration.cursor->value : nullptr;
}

} // namespace scrivlet
