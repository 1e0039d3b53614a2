// IdList: the program's own small container, a doubly linked list of
// (id, value) nodes whose ids the list hands out itself. Ids identify entries
// (file types, template files, hash table items) independently of their
// position. The list owns its nodes, never the values: a value is an opaque
// pointer-sized word that the caller frees before it destroys the list.
//
// Not thread-safe: the iteration cursor of IterateValues is process-wide and
// belongs to the user-interface thread.
#pragma once

#include <cstdint>

namespace scrivlet {

struct IdListNode {
    uint32_t id;        // >= 1, unique within its list
    void *value;        // owned by the caller; 0 is never told from "none"
    IdListNode *prev;   // null for the first node
    IdListNode *next;   // null for the last node
};
static_assert(sizeof(void *) != 4 || sizeof(IdListNode) == 16,
              "the 32-bit build keeps a node as four 32-bit fields");

struct IdList {
    IdListNode *first;  // null when the list is empty
};

// Nonzero means "true". InsertSorted calls it as (existing value, new value)
// meaning "existing precedes the new value"; FindValue calls it as
// (node value, key) meaning "the node matches".
typedef int (*IdListPredicate)(void *value, void *keyOrNewValue);

// A new empty list, or null when memory runs out.
IdList *CreateIdList(void);

// Frees every node and the list cell and sets *list to null. The values are
// not freed. A null list (or null reference) is left alone.
void DestroyIdList(IdList **list);

// Frees every node; the list becomes empty and its next id is 1 again.
void ClearIdList(IdList *list);

// Every new node gets the largest id present + 1, or 1 in an empty list, so
// the id of a removed node comes back when it was the largest. When the
// largest id is already 0xFFFFFFFF no node can be added and 0 is returned.

// Puts the value in a new first node. Returns its id, or 0 when memory runs
// out (the list is unchanged).
uint32_t PushFront(IdList *list, void *value);

// Puts the value before the first node for which precedes(existing, value) is
// 0, or after the last node when every node precedes it. With a
// "precedes or equals" predicate the list stays in ascending order and equal
// values keep their insertion order. Returns the new id, or 0 when memory
// runs out or the predicate is missing (the list is unchanged).
uint32_t InsertSorted(IdList *list, void *value, IdListPredicate precedes);

// Unlinks and frees the node with the id; the value is not freed. An unknown
// id changes nothing.
void RemoveId(IdList *list, uint32_t id);

// The value of the node with the id, or 0 when no node has it.
void *ValueOfId(const IdList *list, uint32_t id);

// The value of the first node (from the front) for which matches(value, key)
// is nonzero, or 0. When foundId is not null it receives that node's id, or 0.
void *FindValue(const IdList *list, void *key, IdListPredicate matches, uint32_t *foundId);

uint32_t CountIds(const IdList *list);

// One process-wide cursor. IterateValues(list) puts the cursor on the first
// node of the list; IterateValues(nullptr) moves it to the next node and
// stays past the end once there. Returns the value under the cursor, or 0 when
// there is none, so a value of 0 cannot be told from the end. Only one
// iteration may be under way at a time, across all lists.
//
// Removing nodes while iterating: removing any node other than the one under
// the cursor is safe. Removing the node under the cursor leaves the cursor
// between its neighbours, so the next IterateValues(nullptr) returns the
// removed node's successor (or 0 when it was the last). Clearing or destroying
// the list under the cursor ends the iteration.
void *IterateValues(const IdList *list);

} // namespace scrivlet
