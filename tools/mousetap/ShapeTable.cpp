#include "tools/mousetap/ShapeTable.h"

#include <cstring>

namespace shapes {
namespace {

constexpr char kMappingName[] = "Lumiskop mousetap cursor shapes 3";
constexpr LONG kSlots = 16;

struct Slot {
    volatile LONG sequence;  // odd while a writer is busy
    DWORD process;
    DWORD cursor;
    CursorShape shape;
};

struct Table {
    volatile LONG next;
    volatile LONG announced;  // odd while an announcement is written
    DWORD latestProcess;
    DWORD latestCursor;
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

LONG Read(volatile LONG& value) {
    return ::InterlockedCompareExchange(&value, 0, 0);
}

bool Matches(const Slot& slot, const CursorId& id) {
    return slot.cursor == Key(id.cursor) && slot.process == id.process;
}

}  // namespace

bool Publish(HCURSOR cursor, const CursorShape& shape) {
    Table* table = SharedTable();
    if (!table || !cursor) return false;
    Slot& slot = table->slots[static_cast<ULONG>(::InterlockedIncrement(&table->next)) % kSlots];
    ::InterlockedIncrement(&slot.sequence);
    slot.process = ::GetCurrentProcessId();
    slot.cursor = Key(cursor);
    std::memcpy(&slot.shape, &shape, sizeof shape);
    ::InterlockedIncrement(&slot.sequence);
    return true;
}

bool Has(const CursorId& id) {
    Table* table = SharedTable();
    if (!table || !id.cursor) return false;
    for (const Slot& slot : table->slots)
        if (Matches(slot, id)) return true;
    return false;
}

bool Find(const CursorId& id, CursorShape& shape) {
    Table* table = SharedTable();
    if (!table || !id.cursor) return false;
    for (Slot& slot : table->slots) {
        const LONG before = Read(slot.sequence);
        if ((before & 1) || !Matches(slot, id)) continue;
        std::memcpy(&shape, &slot.shape, sizeof shape);
        ::MemoryBarrier();
        if (Read(slot.sequence) == before && Matches(slot, id)) return true;
    }
    return false;
}

void Announce(HCURSOR cursor) {
    Table* table = SharedTable();
    if (!table || !cursor) return;
    ::InterlockedIncrement(&table->announced);
    table->latestProcess = ::GetCurrentProcessId();
    table->latestCursor = Key(cursor);
    ::InterlockedIncrement(&table->announced);
}

LONG Latest(CursorId& id) {
    Table* table = SharedTable();
    if (!table) return 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const LONG before = Read(table->announced);
        if (before & 1) continue;
        const DWORD process = table->latestProcess;
        const DWORD cursor = table->latestCursor;
        ::MemoryBarrier();
        if (Read(table->announced) != before) continue;
        id.process = process;
        id.cursor = reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(cursor));
        return before / 2;
    }
    return 0;
}

}  // namespace shapes
