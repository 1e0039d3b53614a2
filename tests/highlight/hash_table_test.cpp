#include "highlight/hash_table.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Items shaped like the style symbols: found by identifier when the key has
// one, otherwise by their text regardless of case.
struct Symbol {
    uint32_t id;
    const char *text;
};

char UpperCase(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// 'A'..'Z' (either case) give 1..26, everything else 0.
uint32_t HashFirstLetter(const void *itemOrKey)
{
    char first = UpperCase(static_cast<const Symbol *>(itemOrKey)->text[0]);
    return first >= 'A' && first <= 'Z' ? static_cast<uint32_t>(first - 'A' + 1) : 0;
}

int SymbolMatches(const void *item, const void *key)
{
    const Symbol *symbol = static_cast<const Symbol *>(item);
    const Symbol *wanted = static_cast<const Symbol *>(key);
    if (wanted->id != 0)
        return symbol->id == wanted->id;
    const char *a = symbol->text;
    const char *b = wanted->text;
    while (*a != '\0' && UpperCase(*a) == UpperCase(*b)) {
        ++a;
        ++b;
    }
    return *a == '\0' && *b == '\0';
}

uint32_t HashId(const void *itemOrKey)
{
    return static_cast<const Symbol *>(itemOrKey)->id;
}

int AnythingMatches(const void *, const void *)
{
    return 1;
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
struct SymbolTable : testing::Test {
    HashTable *table = CreateHashTable(27, HashFirstLetter, SymbolMatches);
    void SetUp() override { ASSERT_NE(table, nullptr); }
    ~SymbolTable() override { DestroyHashTable(&table); }

    void InsertAll(std::vector<Symbol> &symbols)
    {
        for (Symbol &symbol : symbols)
            ASSERT_EQ(HashInsert(table, &symbol), 1) << symbol.text;
    }
};

using HashTableCreate = SymbolTable;
using HashTableLookup = SymbolTable;
using HashTableIteration = SymbolTable;
using HashTableOutOfMemory = SymbolTable;

TEST_F(HashTableCreate, NewTableHasEveryBucketEmpty)
{
    EXPECT_EQ(table->bucketCount, 27u);
    EXPECT_EQ(HashCount(table), 0u);
    for (uint32_t bucket = 0; bucket < 27; ++bucket) {
        ASSERT_NE(table->buckets[bucket], nullptr) << "bucket " << bucket;
        EXPECT_EQ(table->buckets[bucket]->first, nullptr) << "bucket " << bucket;
    }
}

TEST_F(HashTableCreate, MissingBucketCountOrFunctionGivesNoTableAndAllocatesNothing)
{
    const struct {
        uint32_t bucketCount;
        HashFunction hash;
        HashComparison compare;
    } cases[] = {
        {0, HashFirstLetter, SymbolMatches},
        {27, nullptr, SymbolMatches},
        {27, HashFirstLetter, nullptr},
    };
    for (const auto &test : cases) {
        unsigned long attempts = AllocationAttempts();
        EXPECT_EQ(CreateHashTable(test.bucketCount, test.hash, test.compare), nullptr);
        EXPECT_EQ(AllocationAttempts(), attempts);
    }
}

TEST_F(HashTableCreate, DestroySetsTheHandleToNullAndLeavesANullHandleAlone)
{
    Symbol begin = {1, "begin"};
    HashInsert(table, &begin);
    DestroyHashTable(&table);
    EXPECT_EQ(table, nullptr);
    DestroyHashTable(&table);
    EXPECT_EQ(table, nullptr);
    EXPECT_STREQ(begin.text, "begin") << "the item must survive its table";
}

TEST_F(HashTableLookup, NewerItemGoesInFrontOfItsBucketAndIsFoundFirst)
{
    std::vector<Symbol> symbols = {{1, "begin"}, {2, "Begin"}};
    InsertAll(symbols);
    EXPECT_EQ(TextsOfBucket(table, 2), (std::vector<std::string>{"Begin", "begin"}));
    Symbol word = {0, "BEGIN"};
    EXPECT_EQ(HashFind(table, &word), &symbols[1]);
}

TEST_F(HashTableLookup, TextsNotStartingWithALetterShareBucketZero)
{
    std::vector<Symbol> symbols = {{1, "_x"}, {2, "9lives"}, {3, ""}, {4, "#define"}, {5, "zebra"}};
    InsertAll(symbols);
    EXPECT_EQ(TextsOfBucket(table, 0), (std::vector<std::string>{"#define", "", "9lives", "_x"}));
    EXPECT_EQ(TextsOfBucket(table, 26), (std::vector<std::string>{"zebra"}));
}

TEST(HashTableBuckets, ItemLivesInBucketHashModuloBucketCount)
{
    HashTable *table = CreateHashTable(27, HashId, SymbolMatches);
    ASSERT_NE(table, nullptr);
    Symbol symbols[] = {{3, "three"}, {30, "thirty"}, {0xFFFFFFFF, "largest"}, {27, "zero"}};
    for (Symbol &symbol : symbols)
        HashInsert(table, &symbol);
    EXPECT_EQ(TextsOfBucket(table, 3), (std::vector<std::string>{"thirty", "three"}));
    EXPECT_EQ(TextsOfBucket(table, 0xFFFFFFFFu % 27), (std::vector<std::string>{"largest"}));
    EXPECT_EQ(TextsOfBucket(table, 0), (std::vector<std::string>{"zero"}));
    for (Symbol &symbol : symbols)
        EXPECT_EQ(HashFind(table, &symbol), &symbol) << symbol.text;
    DestroyHashTable(&table);
}

TEST_F(HashTableLookup, DuplicatesAreKeptAndCounted)
{
    Symbol symbol = {1, "if"};
    HashInsert(table, &symbol);
    HashInsert(table, &symbol);
    EXPECT_EQ(HashCount(table), 2u);
}

TEST_F(HashTableLookup, NullItemIsRefused)
{
    EXPECT_EQ(HashInsert(table, nullptr), 0);
    EXPECT_EQ(HashCount(table), 0u);
}

TEST_F(HashTableLookup, CountFollowsInsertsAndRemoves)
{
    std::vector<Symbol> symbols = {{1, "while"}, {2, "if"}, {3, "else"}};
    InsertAll(symbols);
    EXPECT_EQ(HashCount(table), 3u);
    HashRemove(table, &symbols[1]);
    EXPECT_EQ(HashCount(table), 2u);
    Symbol word = {0, "if"};
    EXPECT_EQ(HashFind(table, &word), nullptr);
}

TEST_F(HashTableLookup, RemoveByIdentifierTakesOnlyThatItem)
{
    std::vector<Symbol> symbols = {{1, "if"}, {2, "IF"}, {3, "if"}};
    InsertAll(symbols);
    HashRemove(table, &symbols[1]);
    EXPECT_EQ(TextsOfBucket(table, 9), (std::vector<std::string>{"if", "if"}));
    HashRemove(table, &symbols[2]);
    Symbol word = {0, "If"};
    EXPECT_EQ(HashFind(table, &word), &symbols[0]);
    EXPECT_EQ(symbols[2].id, 3u) << "a removed item is not touched";
}

TEST_F(HashTableLookup, KeyThatMatchesNothingFindsAndRemovesNothing)
{
    std::vector<Symbol> symbols = {{1, "while"}, {2, "when"}};
    InsertAll(symbols);
    const Symbol misses[] = {{0, "whilst"}, {0, "wh"}, {0, "if"}, {0, ""}, {7, "while"}};
    for (const Symbol &key : misses) {
        EXPECT_EQ(HashFind(table, &key), nullptr) << key.text;
        HashRemove(table, &key);
        EXPECT_EQ(TextsOfBucket(table, 23), (std::vector<std::string>{"when", "while"})) << key.text;
    }
}

TEST(HashTableBuckets, LookupOnlySearchesTheKeysBucket)
{
    HashTable *table = CreateHashTable(27, HashFirstLetter, AnythingMatches);
    ASSERT_NE(table, nullptr);
    Symbol apple = {1, "apple"};
    HashInsert(table, &apple);
    Symbol keys[] = {{0, "banana"}, {0, "Avocado"}};
    EXPECT_EQ(HashFind(table, &keys[0]), nullptr);
    EXPECT_EQ(HashFind(table, &keys[1]), &apple);
    HashRemove(table, &keys[0]);
    EXPECT_EQ(HashCount(table), 1u);
    DestroyHashTable(&table);
}

TEST_F(HashTableIteration, FullIterationVisitsBucketsInOrderEachFrontToBack)
{
    const struct {
        std::vector<const char *> inserted;
        std::vector<std::string> expected;
    } cases[] = {
        {{"while", "if", "_x"}, {"_x", "if", "while"}},
        {{"alpha", "zeta", "apple", "_u", "9", "Axe"}, {"9", "_u", "Axe", "apple", "alpha", "zeta"}},
        {{}, {}},
    };
    for (const auto &test : cases) {
        std::vector<Symbol> symbols;
        for (const char *text : test.inserted)
            symbols.push_back({static_cast<uint32_t>(symbols.size() + 1), text});
        HashTable *fresh = CreateHashTable(27, HashFirstLetter, SymbolMatches);
        ASSERT_NE(fresh, nullptr);
        for (Symbol &symbol : symbols)
            HashInsert(fresh, &symbol);
        EXPECT_EQ(IteratedTexts(fresh, nullptr), test.expected);
        DestroyHashTable(&fresh);
    }
}

TEST_F(HashTableIteration, KeyedIterationVisitsOnlyTheKeysBucket)
{
    std::vector<Symbol> symbols = {{1, "_a"}, {2, "alpha"}, {3, "apple"}, {4, "beta"}};
    InsertAll(symbols);
    Symbol key = {0, "AXE"};
    EXPECT_EQ(IteratedTexts(table, &key), (std::vector<std::string>{"apple", "alpha"}));
    Symbol emptyBucket = {0, "zeta"};
    EXPECT_EQ(HashIterate(table, &emptyBucket), nullptr);
}

TEST_F(HashTableIteration, IterationAfterTheEndKeepsReturningNull)
{
    std::vector<Symbol> symbols = {{1, "z"}};
    InsertAll(symbols);
    EXPECT_EQ(HashIterate(table, nullptr), &symbols[0]);
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr) << "call " << call << " after the end";
}

TEST_F(HashTableIteration, RemovingEachItemAfterFetchingTheNextEmptiesTheTable)
{
    std::vector<Symbol> symbols = {{1, "if"}, {2, "else"}, {3, "elif"}, {4, "_"}, {5, "while"}};
    InsertAll(symbols);
    int visited = 0;
    void *item = HashIterate(table, nullptr);
    while (item != nullptr) {
        void *next = HashIterate(nullptr, nullptr);
        HashRemove(table, item);
        ++visited;
        item = next;
    }
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(HashCount(table), 0u);
}

TEST_F(HashTableIteration, RemovingTheCurrentItemStillVisitsTheRest)
{
    std::vector<Symbol> symbols = {{1, "while"}, {2, "if"}, {3, "elif"}, {4, "else"}};
    InsertAll(symbols);
    std::vector<std::string> visited;
    for (void *item = HashIterate(table, nullptr); item != nullptr; item = HashIterate(nullptr, nullptr)) {
        visited.push_back(static_cast<const Symbol *>(item)->text);
        HashRemove(table, item);
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"else", "elif", "if", "while"}));
    EXPECT_EQ(HashCount(table), 0u);
}

TEST_F(HashTableIteration, DestroyingTheTableEndsItsIteration)
{
    std::vector<Symbol> symbols = {{1, "a"}, {2, "b"}};
    InsertAll(symbols);
    EXPECT_NE(HashIterate(table, nullptr), nullptr);
    DestroyHashTable(&table);
    EXPECT_EQ(HashIterate(nullptr, nullptr), nullptr);
}

TEST_F(HashTableOutOfMemory, CreateReleasesPartialWorkWhereverAllocationFails)
{
    // One table, one bucket array, then one list per bucket.
    const unsigned long allocations = 2 + 27;
    for (unsigned long failing = 1; failing <= allocations; ++failing) {
        unsigned long before = AllocationAttempts();
        FailNthAllocation(failing);
        EXPECT_EQ(CreateHashTable(27, HashFirstLetter, SymbolMatches), nullptr) << "allocation " << failing;
        FailNthAllocation(0);
        EXPECT_EQ(AllocationAttempts() - before, failing) << "must stop at the failed allocation";
    }
    unsigned long before = AllocationAttempts();
    HashTable *created = CreateHashTable(27, HashFirstLetter, SymbolMatches);
    EXPECT_NE(created, nullptr);
    EXPECT_EQ(AllocationAttempts() - before, allocations);
    DestroyHashTable(&created);
}

TEST_F(HashTableOutOfMemory, FailedInsertReturnsZeroAndLeavesTheTableUnchanged)
{
    std::vector<Symbol> symbols = {{1, "begin"}, {2, "end"}};
    InsertAll(symbols);
    Symbol extra = {3, "break"};
    FailNthAllocation(1);
    EXPECT_EQ(HashInsert(table, &extra), 0);
    FailNthAllocation(0);
    EXPECT_EQ(HashCount(table), 2u);
    EXPECT_EQ(TextsOfBucket(table, 2), (std::vector<std::string>{"begin"}));
    EXPECT_EQ(HashFind(table, &extra), nullptr);
    EXPECT_EQ(HashInsert(table, &extra), 1);
}

TEST_F(HashTableLookup, FindAllocatesNothing)
{
    std::vector<Symbol> symbols = {{1, "begin"}};
    InsertAll(symbols);
    Symbol word = {0, "Begin"};
    unsigned long before = AllocationAttempts();
    EXPECT_EQ(HashFind(table, &word), &symbols[0]);
    EXPECT_EQ(AllocationAttempts(), before);
}

} // namespace
