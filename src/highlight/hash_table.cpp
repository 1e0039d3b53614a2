#include "highlight/hash_table.h"

#include "core/allocation.h"

#include <cstddef>

namespace scrivlet {

namespace {

// Where the table iteration stands. `table` is null when no iteration is under
// way; otherwise the IdList cursor is inside buckets[bucket] (or past its end).
struct TableIteration {
    const HashTable *table;
    uint32_t bucket;
    bool oneBucket;  // keyed: only buckets[bucket] is visited
};

TableIteration iteration = {nullptr, 0, false};

// FindValue's predicate gets a single key word; this carries the table's
// comparison and the real key through it without any process-wide slot.
struct KeyMatch {
    HashComparison compare;
    const void *key;
};

int MatchesKey(void *item, void *keyMatch)
{
    const KeyMatch *match = static_cast<const KeyMatch *>(keyMatch);
    return match->compare(item, match->key);
}

IdList *BucketOf(const HashTable *table, const void *itemOrKey)
{
    return table->buckets[table->hash(itemOrKey) % table->bucketCount];
}

// Releases the table with its first createdBuckets bucket lists.
void ReleaseTable(HashTable *table, uint32_t createdBuckets)
{
    while (createdBuckets > 0)
        DestroyIdList(&table->buckets[--createdBuckets]);
    EngineFree(table->buckets);
    EngineFree(table);
}

// Passes over exhausted and empty buckets; `item` is what the cursor gave.
void *ContinueAcrossBuckets(void *item)
{
    while (item == nullptr) {
        if (iteration.oneBucket || iteration.bucket + 1 >= iteration.table->bucketCount) {
            iteration = {nullptr, 0, false};
            return nullptr;
        }
        ++iteration.bucket;
        item = IterateValues(iteration.table->buckets[iteration.bucket]);
    }
    return item;
}

} // namespace

HashTable *CreateHashTable(uint32_t bucketCount, HashFunction hash, HashComparison compare)
{
    if (bucketCount == 0 || hash == nullptr || compare == nullptr)
        return nullptr;
    size_t arrayBytes = static_cast<size_t>(bucketCount) * sizeof(IdList *);
    if (arrayBytes / sizeof(IdList *) != bucketCount)
        return nullptr;  // the array would not fit in the address space
    HashTable *table = static_cast<HashTable *>(EngineAllocate(sizeof(HashTable)));
    if (table == nullptr)
        return nullptr;
    table->bucketCount = bucketCount;
    table->hash = hash;
    table->compare = compare;
    table->buckets = static_cast<IdList **>(EngineAllocateZeroed(arrayBytes));
    if (table->buckets == nullptr) {
        EngineFree(table);
        return nullptr;
    }
    for (uint32_t bucket = 0; bucket < bucketCount; ++bucket) {
        table->buckets[bucket] = CreateIdList();
        if (table->buckets[bucket] == nullptr) {
            ReleaseTable(table, bucket);
            return nullptr;
        }
    }
    return table;
}

void DestroyHashTable(HashTable **table)
{
    if (table == nullptr || *table == nullptr)
        return;
    if (iteration.table == *table)
        iteration = {nullptr, 0, false};
    ReleaseTable(*table, (*table)->bucketCount);
    *table = nullptr;
}

int HashInsert(HashTable *table, void *item)
{
    if (table == nullptr || item == nullptr)
        return 0;
    return PushFront(BucketOf(table, item), item) != 0 ? 1 : 0;
}

void *HashFind(const HashTable *table, const void *key)
{
    if (table == nullptr)
        return nullptr;
    KeyMatch match = {table->compare, key};
    return FindValue(BucketOf(table, key), &match, MatchesKey, nullptr);
}

void HashRemove(HashTable *table, const void *key)
{
    if (table == nullptr)
        return;
    IdList *bucket = BucketOf(table, key);
    KeyMatch match = {table->compare, key};
    uint32_t id = 0;
    if (FindValue(bucket, &match, MatchesKey, &id) != nullptr)
        RemoveId(bucket, id);
}

void *HashIterate(const HashTable *table, const void *key)
{
    if (table == nullptr) {
        if (iteration.table == nullptr)
            return nullptr;
        return ContinueAcrossBuckets(IterateValues(nullptr));
    }
    if (key != nullptr)
        iteration = {table, table->hash(key) % table->bucketCount, true};
    else
        iteration = {table, 0, false};
    return ContinueAcrossBuckets(IterateValues(table->buckets[iteration.bucket]));
}

uint32_t HashCount(const HashTable *table)
{
    if (table == nullptr)
        return 0;
    uint32_t count = 0;
    for (uint32_t bucket = 0; bucket < table->bucketCount; ++bucket)
        count += CountIds(table->buckets[bucket]);
    return count;
}

} // namespace scrivlet
