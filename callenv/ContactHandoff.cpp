#include "callenv/ContactHandoff.h"

#include <algorithm>

namespace callenv {

ContactHandoff MakeContactHandoff(std::string_view contact) {
    ContactHandoff block{};
    const std::size_t n = std::min(contact.size(), block.size() - 1);
    std::copy_n(contact.data(), n, block.data());
    return block;
}

}  // namespace callenv
