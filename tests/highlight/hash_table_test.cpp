#include "highlight/hash_table.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scrivlet {

namespace {

// A style symbol: found by identifier when the key has one, else by text in any case.
struct Symbol { uint32_t id; const char *text; };

char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// 'A'..'Z' (either case) give 1..26, everything else 0.
uint32_t HashFirstLetter(const void *itemOrKey)
{
    char first = UpperCase(static_cast<const Symbol *>(itemOrKey)->text[0]);
    return first >= 'A' && first <= 'Z' ? static_cast<uint32_t>(first - 'A' + 1) : 0;
}

int SymbolMatches(const void *item, const void *key)
{
    const Symbol *symbol = static_cast<const Symbol *>(item), *wanted = static_cast<const Symbol *>(key);
    if (wanted->id != 0)
        return symbol->id == wanted->id;
    const char *a = symbol->text, *b = wanted->text;
    for (; *a != '\0' && UpperCase(*a) == UpperCase(*b); ++a, ++b) {
    }
    return *a == '\0' && *b == '\0';
}

std::vector<std::string> TextsOfBucket(const HashTable *table, uint32_t bucket)
{
    std::vector<std::string> texts;
    for (const IdListNode *node = table->buckets[bucket]->first; node != nullptr; node = node->next)
        texts.push_back(static_cast<const Symbol *>(node->value)->text);
    return texts;
}

std::vector<std::string> IteratedTexts(const HashTable *table, const Symbol *key)
{
    std::vector<std::string> texts;
    for (void *item = HashIterate(table, key); item != nullptr; item = HashIterate(nullptr, nullptr))
        texts.push_back(static_cast<const Symbol *>(item)->text);
    return texts;
}

// A symbol table of 27 buckets keyed on the first letter.
struct HashTableTest : testing::Test {
    HashTable *table = CreateHashTable(27, HashFirstLetter, SymbolMatches);
    void SetUp() override { ASSERT_NE(table, nullptr); }
    ~HashTableTest() override { DestroyHashTable(&table); }
    void InsertAll(std::vector<Symbol> &symbols)
    {
        for (Symbol &symbol : symbols)
            ASSERT_EQ(HashInsert(table, &symbol), 1) << symbol.text;
    }
};

// Newest first in a bucket, for lookup by id or text, removal and iteration
// (all buckets in order or the key's), which survives removing its item.
TEST_F(HashTableTest, BucketsKeepTheNewestFirstForLookupRemovalAndIteration)
{
    std::vector<Symbol> symbols = {{1, "begin"}, {2, "Begin"}, {3, "_x"}, {4, "9lives"}, {5, "while"}, {6, "wait"}};
    EXPECT_EQ(HashInsert(table, nullptr), 0);
    InsertAll(symbols);
    Symbol zone = {7, "zone"}; // the last bucket
    FailNthAllocation(1);
    EXPECT_EQ(HashInsert(table, &zone), 0) << "out of memory";
    ASSERT_EQ(HashInsert(table, &zone), 1);
    EXPECT_EQ(HashCount(table), 7u);
    EXPECT_EQ(TextsOfBucket(table, 2), (std::vector<std::string>{"Begin", "begin"}));
    const Symbol word = {0, "BEGIN"}, byId = {1, "b"}, miss = {0, "beg"}, when = {0, "WHEN"}, very = {0, "very"};
    EXPECT_EQ(HashFind(table, &word), &symbols[1]);
    EXPECT_EQ(HashFind(table, &byId), &symbols[0]);
    EXPECT_EQ(HashFind(table, &miss), nullptr);
    EXPECT_EQ(IteratedTexts(table, nullptr),
              (std::vector<std::string>{"9lives", "_x", "Begin", "begin", "wait", "while", "zone"}));
    EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr) << "the end stays the end";
    EXPECT_EQ(IteratedTexts(table, &when), (std::vector<std::string>{"wait", "while"}));
    EXPECT_EQ(HashIterate(table, &very), nullptr);
    HashRemove(table, &word);
    HashRemove(table, &miss);
    EXPECT_EQ(HashCount(table), 6u);
    EXPECT_EQ(HashFind(table, &word), &symbols[0]);

    for (bool fetchNextFirst : {true, false}) {
        std::vector<std::string> visited;
        void *item = HashIterate(table, nullptr);
        while (item != nullptr) {
            visited.push_back(static_cast<const Symbol *>(item)->text);
            void *next = fetchNextFirst ? HashIterate(nullptr, nullptr) : nullptr;
            HashRemove(table, item); // the current item, found by its identifier
            item = fetchNextFirst ? next : HashIterate(nullptr, nullptr);
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"9lives", "_x", "begin", "wait", "while", "zone"}));
        EXPECT_EQ(HashCount(table), 0u);
        InsertAll(symbols);
        HashRemove(table, &word);
        HashInsert(table, &zone);
    }
    EXPECT_NE(HashIterate(table, nullptr), nullptr);
    DestroyHashTable(&table);
    EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr) << "destroying the table ends its iteration";
}

TEST(HashTableCreate, RefusesMissingArgumentsAndReleasesEverythingWhenMemoryRunsOut)
{
    EXPECT_EQ(CreateHashTable(0, HashFirstLetter, SymbolMatches), nullptr);
    EXPECT_EQ(CreateHashTable(5, nullptr, SymbolMatches), nullptr);
    EXPECT_EQ(CreateHashTable(5, HashFirstLetter, nullptr), nullptr);
    for (unsigned long failing = 1; failing <= 2 + 5; ++failing) {  // table, bucket array, 5 lists
        unsigned long before = AllocationAttempts();
        FailNthAllocation(failing);
        EXPECT_EQ(CreateHashTable(5, HashFirstLetter, SymbolMatches), nullptr) << "allocation " << failing;
        FailNthAllocation(0);
        EXPECT_EQ(AllocationAttempts() - before, failing) << "stops at the failed allocation";
    }
    HashTable *table = CreateHashTable(5, HashFirstLetter, SymbolMatches);
    Symbol zebra = {1, "zebra"};
    ASSERT_TRUE(table != nullptr && HashInsert(table, &zebra) == 1);
    EXPECT_EQ(TextsOfBucket(table, 26 % 5), (std::vector<std::string>{"zebra"})) << "hash modulo bucket count";
    DestroyHashTable(&table);
}

} // namespace

} // namespace scrivlet
