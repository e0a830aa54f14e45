#include "tools/mousetap/ShapeTable.h"

#include <cstring>

namespace shapes {
namespace {

constexpr char kMappingName[] = "Lumiskop mousetap cursor shapes 2";
constexpr LONG kSlots = 16;

struct Slot {
    volatile LONG sequence;  // odd while a writer is busy
    DWORD cursor;
    CursorShape shape;
};

struct Table {
    volatile LONG next;
    volatile LONG announced;  // grows with every announcement
    volatile LONG latest;     // the cursor announced last
    Slot slots[kSlots];
};

Table* SharedTable() {
    static Table* table = [] {
        HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              sizeof(Table), kMappingName);
        if (!mapping) return static_cast<Table*>(nullptr);
        // The mapping lives as long as the process.
        return static_cast<Table*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }();
    return table;
}

DWORD Key(HCURSOR cursor) {
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(cursor));
}

}  // namespace

bool Publish(HCURSOR cursor, const CursorShape& shape) {
    Table* table = SharedTable();
    if (!table || !cursor) return false;
    Slot& slot = table->slots[static_cast<ULONG>(::InterlockedIncrement(&table->next)) % kSlots];
    ::InterlockedIncrement(&slot.sequence);
    slot.cursor = Key(cursor);
    std::memcpy(&slot.shape, &shape, sizeof shape);
    ::InterlockedIncrement(&slot.sequence);
    return true;
}

bool Has(HCURSOR cursor) {
    Table* table = SharedTable();
    if (!table || !cursor) return false;
    for (const Slot& slot : table->slots)
        if (slot.cursor == Key(cursor)) return true;
    return false;
}

void Announce(HCURSOR cursor) {
    Table* table = SharedTable();
    if (!table || !cursor) return;
    ::InterlockedExchange(&table->latest, static_cast<LONG>(Key(cursor)));
    ::InterlockedIncrement(&table->announced);
}

LONG Latest(HCURSOR& cursor) {
    Table* table = SharedTable();
    if (!table) return 0;
    const LONG count = ::InterlockedCompareExchange(&table->announced, 0, 0);
    cursor = reinterpret_cast<HCURSOR>(
        static_cast<UINT_PTR>(static_cast<DWORD>(::InterlockedCompareExchange(&table->latest, 0, 0))));
    return count;
}

bool Find(HCURSOR cursor, CursorShape& shape) {
    Table* table = SharedTable();
    if (!table || !cursor) return false;
    for (LONG i = 0; i < kSlots; ++i) {
        Slot& slot = table->slots[i];
        const LONG before = ::InterlockedCompareExchange(&slot.sequence, 0, 0);
        if ((before & 1) || slot.cursor != Key(cursor)) continue;
        std::memcpy(&shape, &slot.shape, sizeof shape);
        ::MemoryBarrier();
        if (::InterlockedCompareExchange(&slot.sequence, 0, 0) == before &&
            slot.cursor == Key(cursor))
            return true;
    }
    return false;
}

}  // namespace shapes
