#include "highlight/hash_table.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace scrivlet {

namespace {

// A symbol found by identifier when the key has one, else by text in any
// case; hashed on its first letter ('A'..'Z' in either case 1..26, else 0).
struct Symbol { uint32_t id; const char *text; };

uint32_t HashFirstLetter(const void *item)
{
    int first = std::toupper(static_cast<unsigned char>(static_cast<const Symbol *>(item)->text[0]));
    return first >= 'A' && first <= 'Z' ? uint32_t(first - 'A' + 1) : 0;
}

int SymbolMatches(const void *item, const void *key)
{
    const Symbol *symbol = static_cast<const Symbol *>(item), *wanted = static_cast<const Symbol *>(key);
    if (wanted->id != 0)
        return symbol->id == wanted->id;
    const char *a = symbol->text, *b = wanted->text;
    auto upper = [](const char *c) { return std::toupper(static_cast<unsigned char>(*c)); };
    for (; *a != '\0' && upper(a) == upper(b); ++a)
        ++b;
    return *a == '\0' && *b == '\0';
}

// The texts an iteration gives, joined by spaces; removing each item as it
// comes, after fetching the next one or before.
std::string Iterated(HashTable *table, const Symbol *key, int removing = 0)
{
    std::string texts;
    for (void *item = HashIterate(table, key); item != nullptr;) {
        texts += std::string(static_cast<const Symbol *>(item)->text) + " ";
        void *next = removing == 1 ? HashIterate(nullptr, nullptr) : nullptr;
        if (removing != 0)
            HashRemove(table, item); // found by its identifier
        item = removing == 1 ? next : HashIterate(nullptr, nullptr);
    }
    return texts;
}

// Newest first in a bucket, for lookup by id or text, removal and iteration
// (all buckets in order or the key's), which survives removing its item.
TEST(HashTable, BucketsKeepTheNewestFirstForLookupRemovalAndIteration)
{
    HashTable *table = CreateHashTable(27, HashFirstLetter, SymbolMatches);
    Symbol symbols[] = {{1, "begin"}, {2, "Begin"}, {3, "_x"}, {4, "9lives"}, {5, "while"}, {6, "wait"}, {7, "zone"}};
    EXPECT_EQ(HashInsert(table, nullptr), 0);
    FailNthAllocation(1);
    EXPECT_EQ(HashInsert(table, &symbols[0]), 0) << "out of memory";
    for (int round = 0; round < 2; ++round) {
        for (Symbol &symbol : symbols)
            ASSERT_EQ(HashInsert(table, &symbol), 1);
        EXPECT_EQ(HashCount(table), 7u);
        const Symbol word = {0, "BEGIN"}, byId = {1, "b"}, miss = {0, "beg"}, when = {0, "WHEN"}, very = {0, "very"};
        EXPECT_EQ(HashFind(table, &word), &symbols[1]);
        EXPECT_EQ(HashFind(table, &byId), &symbols[0]);
        EXPECT_EQ(HashFind(table, &miss), nullptr);
        EXPECT_EQ(Iterated(table, nullptr), "9lives _x Begin begin wait while zone ");
        EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr) << "the end stays the end";
        EXPECT_EQ(Iterated(table, &when), "wait while ");
        EXPECT_EQ(HashIterate(table, &very), nullptr);
        HashRemove(table, &word);
        HashRemove(table, &miss);
        EXPECT_EQ(HashFind(table, &word), &symbols[0]);
        EXPECT_EQ(Iterated(table, nullptr, 1 + round), "9lives _x begin wait while zone ");
        EXPECT_EQ(HashCount(table), 0u);
    }
    HashInsert(table, &symbols[0]);
    EXPECT_NE(HashIterate(table, nullptr), nullptr);
    DestroyHashTable(&table);
    EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr) << "destroying the table ends its iteration";
}

TEST(HashTable, CreateRefusesMissingArgumentsAndReleasesEverythingWhenMemoryRunsOut)
{
    EXPECT_EQ(CreateHashTable(0, HashFirstLetter, SymbolMatches), nullptr);
    EXPECT_EQ(CreateHashTable(5, nullptr, SymbolMatches), nullptr);
    EXPECT_EQ(CreateHashTable(5, HashFirstLetter, nullptr), nullptr);
    for (unsigned long failing = 1; failing <= 2 + 5; ++failing) { // table, bucket array, 5 lists
        unsigned long before = AllocationAttempts();
        FailNthAllocation(failing);
        EXPECT_EQ(CreateHashTable(5, HashFirstLetter, SymbolMatches), nullptr) << "allocation " << failing;
        FailNthAllocation(0);
        EXPECT_EQ(AllocationAttempts() - before, failing) << "stops at the failed allocation";
    }
    HashTable *table = CreateHashTable(5, HashFirstLetter, SymbolMatches);
    Symbol zebra = {1, "zebra"};
    ASSERT_TRUE(table != nullptr && HashInsert(table, &zebra) == 1);
    EXPECT_EQ(static_cast<Symbol *>(table->buckets[26 % 5]->first->value), &zebra) << "hash modulo bucket count";
    DestroyHashTable(&table);
}

} // namespace

} // namespace scrivlet
