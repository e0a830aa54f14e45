#include "tests/native/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

namespace testreg {

using callenv::IRegKey;
using callenv::RegAccess;
using callenv::RegRoot;
using callenv::RegStatus;

bool NoCase::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return !NoCase{}(a, b) && !NoCase{}(b, a);
}

std::vector<std::string> Segments(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

class MemoryKey final : public IRegKey {
public:
    MemoryKey(MemoryRegistry& registry, Node& node) : m_registry(registry), m_node(node) {}

    bool QueryInfo(uint32_t& subkeys, uint32_t& values) override {
        subkeys = static_cast<uint32_t>(m_node.children.size());
        values = static_cast<uint32_t>(m_node.values.size());
        return true;
    }

    RegStatus EnumSubkey(uint32_t index, std::size_t bufferChars, std::string& name) override {
        if (index >= m_node.children.size()) return RegStatus::NoMoreItems;
        auto it = std::next(m_node.children.begin(), index);
        if (it->first.size() + 1 > bufferChars) return RegStatus::MoreData;
        name = it->first;
        return RegStatus::Ok;
    }

    RegStatus EnumValueName(uint32_t index, std::size_t bufferChars, std::string& name) override {
        if (m_registry.failValueList.count(m_node.path)) return RegStatus::Failed;
        if (index >= m_node.values.size()) return RegStatus::NoMoreItems;
        if (m_node.values[index].name.size() + 1 > bufferChars) return RegStatus::MoreData;
        name = m_node.values[index].name;
        return RegStatus::Ok;
    }

    RegStatus QueryValue(const std::string& name, std::size_t bufferBytes,
                         std::vector<uint8_t>& data) override {
        for (const Value& value : m_node.values) {
            if (!SameName(value.name, name)) continue;
            if (value.data.size() > bufferBytes) return RegStatus::MoreData;
            data = value.data;
            return RegStatus::Ok;
        }
        return RegStatus::Failed;
    }

    bool SetValue(const std::string& name, uint32_t type, const void* data,
                  std::size_t bytes) override {
        m_registry.writes.push_back(m_node.path + ":" + name);
        if (m_registry.denyWrite.count(m_node.path)) return false;
        const auto* begin = static_cast<const uint8_t*>(data);
        std::vector<uint8_t> copy(begin, begin + bytes);
        for (Value& value : m_node.values) {
            if (SameName(value.name, name)) {
                value.type = type;
                value.data = std::move(copy);
                return true;
            }
        }
        m_node.values.push_back({name, type, std::move(copy)});
        return true;
    }

    std::unique_ptr<IRegKey> CreateSubkey(const std::string& name) override {
        const std::string path = m_node.path + "\\" + name;
        if (m_registry.denyCreate.count(path)) return nullptr;
        auto& child = m_node.children[name];
        if (!child) {
            child = std::make_unique<Node>();
            child->path = path;
        }
        return std::make_unique<MemoryKey>(m_registry, *child);
    }

private:
    MemoryRegistry& m_registry;
    Node& m_node;
};

}  // namespace

MemoryRegistry::MemoryRegistry() {
    m_currentUser.path = "HKCU";
    m_localMachine.path = "HKLM";
}

Node* MemoryRegistry::NodeAt(RegRoot root, const std::string& path, bool create) {
    Node* node = root == RegRoot::CurrentUser ? &m_currentUser : &m_localMachine;
    for (const std::string& part : Segments(path)) {
        auto it = node->children.find(part);
        if (it == node->children.end()) {
            if (!create) return nullptr;
            auto child = std::make_unique<Node>();
            child->path = node->path + "\\" + part;
            it = node->children.emplace(part, std::move(child)).first;
        }
        node = it->second.get();
    }
    return node;
}

std::unique_ptr<IRegKey> MemoryRegistry::Open(RegRoot root, const std::string& path,
                                              RegAccess access) {
    opens.push_back(path);
    Node* node = NodeAt(root, path, false);
    if (!node || denyOpen.count(node->path)) return nullptr;
    if (access == RegAccess::Read && denyReadOpen.count(node->path)) return nullptr;
    return std::make_unique<MemoryKey>(*this, *node);
}

std::unique_ptr<IRegKey> MemoryRegistry::Create(RegRoot root, const std::string& path) {
    const std::string full = (root == RegRoot::CurrentUser ? "HKCU" : "HKLM") +
                             std::string(path.empty() ? "" : "\\") + path;
    if (denyCreate.count(full)) return nullptr;
    return std::make_unique<MemoryKey>(*this, *NodeAt(root, path, true));
}

void MemoryRegistry::MakeKey(RegRoot root, const std::string& path) {
    NodeAt(root, path, true);
}

void MemoryRegistry::SetBytes(RegRoot root, const std::string& path, const std::string& name,
                              uint32_t type, std::vector<uint8_t> data) {
    Node* node = NodeAt(root, path, true);
    for (Value& value : node->values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    node->values.push_back({name, type, std::move(data)});
}

void MemoryRegistry::SetText(RegRoot root, const std::string& path, const std::string& name,
                             const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    SetBytes(root, path, name, callenv::kRegSz, std::move(data));
}

const Value* MemoryRegistry::Find(RegRoot root, const std::string& path,
                                  const std::string& name) const {
    Node* node = const_cast<MemoryRegistry*>(this)->NodeAt(root, path, false);
    if (!node) return nullptr;
    for (const Value& value : node->values)
        if (SameName(value.name, name)) return &value;
    return nullptr;
}

bool MemoryRegistry::HasKey(RegRoot root, const std::string& path) const {
    return const_cast<MemoryRegistry*>(this)->NodeAt(root, path, false) != nullptr;
}

}  // namespace testreg
