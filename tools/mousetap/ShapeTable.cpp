#include "tools/mousetap/ShapeTable.h"

#include <cstring>

namespace shapes {
namespace {

constexpr char kMappingName[] = "Lumiskop mousetap cursor shapes 1";
constexpr LONG kSlots = 16;

struct Slot {
    volatile LONG sequence;  // odd while a writer is busy
    DWORD cursor;
    CursorShape shape;
};

struct Table {
    volatile LONG next;
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
