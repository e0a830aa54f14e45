#include "engine/RecordFailure.h"

#include <cerrno>

RecordFailure FailureFromFileError(int error) {
    switch (error) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return RecordFailure::DiskFull;
        case ENOMEM:
            return RecordFailure::OutOfMemory;
        default:
            return RecordFailure::WriteFailed;
    }
}
