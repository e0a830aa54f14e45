#include "callenv/RoleStamp.h"

namespace callenv {

namespace {
void PutWord(RoleStamp& stamp, int word, int value) {
    stamp[word * 2] = static_cast<uint8_t>(value & 0xFF);
    stamp[word * 2 + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}
}  // namespace

RoleStamp MakeRoleStamp(const std::tm& local, RoleStampMode mode) {
    RoleStamp stamp{};
    PutWord(stamp, 0, local.tm_year + 1900);
    PutWord(stamp, 1, local.tm_mon + 1);
    PutWord(stamp, 2, local.tm_wday);
    PutWord(stamp, 3, local.tm_mday);
    PutWord(stamp, 4, local.tm_hour);
    PutWord(stamp, 5, local.tm_min);
    PutWord(stamp, 6, local.tm_sec);
    PutWord(stamp, 7, 0);
    if (mode == RoleStampMode::Demote) stamp[0] = static_cast<uint8_t>(stamp[0] - 10);
    return stamp;
}

}  // namespace callenv
