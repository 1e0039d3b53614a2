// HashTable: the program's own chained hash table of item pointers, one
// IdList per bucket. The caller chooses the bucket count, the hash function
// and the comparison function; the table never owns, copies or frees items.
//
// Keys: Find, Remove and a keyed Iterate hash the key with the table's hash
// function and pass it as the second argument of the comparison, so a key
// must hash to the bucket of the items it is meant to match.
//
// Not thread-safe and not re-entrant: iteration keeps one process-wide cursor
// and walks the buckets with IterateValues, whose cursor is process-wide too.
#pragma once

#include "core/id_list.h"

#include <cstdint>

namespace scrivlet {

typedef uint32_t (*HashFunction)(const void *itemOrKey);
typedef int (*HashComparison)(const void *item, const void *key);  // nonzero = match

struct HashTable {
    uint32_t bucketCount;    // >= 1; an item lives in bucket hash(item) % bucketCount
    IdList **buckets;        // owned, bucketCount lists, each newest item first
    HashFunction hash;       // never null
    HashComparison compare;  // never null
};
static_assert(sizeof(void *) != 4 || sizeof(HashTable) == 16,
              "the 32-bit build keeps the table as four 32-bit fields");

// A table with bucketCount empty buckets, or null when bucketCount is 0, a
// function is missing or memory runs out (nothing is left allocated).
HashTable *CreateHashTable(uint32_t bucketCount, HashFunction hash, HashComparison compare);

// Frees the bucket lists, the bucket array and the table (not the items) and
// sets *table to null. A null handle is left alone. Ends an iteration over the
// table.
void DestroyHashTable(HashTable **table);

// Puts the item at the front of its bucket; duplicates are not looked for.
// Returns 1, or 0 when memory runs out or the item is null (a null item could
// not be told from "not found"); on 0 the table is unchanged.
int HashInsert(HashTable *table, void *item);

// The first item of the key's bucket, from the front, that matches the key;
// null when none does. Allocates nothing.
void *HashFind(const HashTable *table, const void *key);

// Unlinks the item HashFind would return; the item itself is not freed. A key
// that matches nothing changes nothing.
void HashRemove(HashTable *table, const void *key);

// HashIterate(table, nullptr) starts an iteration over bucket 0, 1, ... each
// front to back; HashIterate(table, key) one over the key's bucket only.
// Either returns the first item. HashIterate(nullptr, nullptr) returns the
// next item. Null marks the end and stays so. Items may be removed while
// iterating (the usual way fetches the next item before removing the current
// one; removing the current item also works); the iteration must not be
// interleaved with any other table or IdList iteration.
void *HashIterate(const HashTable *table, const void *key);

// Number of items in all buckets together.
uint32_t HashCount(const HashTable *table);

} // namespace scrivlet
