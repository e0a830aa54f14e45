// An in-memory registry for tests of the registry walks: keys listed in
// alphabetical order, values in the order they were made, names compared
// without regard to case, and switches that make single operations fail.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "callenv/Registry.h"

namespace testreg {

struct Value {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct Node {
    std::map<std::string, std::unique_ptr<Node>, NoCase> children;
    std::vector<Value> values;
    std::string path;  // "HKLM\A\B"
};

class MemoryRegistry final : public callenv::IRegistry {
public:
    MemoryRegistry();

    std::unique_ptr<callenv::IRegKey> Open(callenv::RegRoot root, const std::string& path,
                                           callenv::RegAccess access) override;
    std::unique_ptr<callenv::IRegKey> Create(callenv::RegRoot root, const std::string& path) override;

    // Setting up the tree.
    void SetText(callenv::RegRoot root, const std::string& path, const std::string& name,
                 const std::string& text);
    void SetBytes(callenv::RegRoot root, const std::string& path, const std::string& name,
                  uint32_t type, std::vector<uint8_t> data);
    void MakeKey(callenv::RegRoot root, const std::string& path);

    // Looking at it afterwards; null when absent.
    const Value* Find(callenv::RegRoot root, const std::string& path, const std::string& name) const;
    bool HasKey(callenv::RegRoot root, const std::string& path) const;

    // Failure switches, by key path ("HKLM\...", no trailing backslash).
    std::set<std::string> denyOpen;       // every open of the key fails
    std::set<std::string> denyReadOpen;   // opens for reading values fail
    std::set<std::string> denyWrite;      // SetValue fails
    std::set<std::string> denyCreate;     // Create / CreateSubkey fail
    std::set<std::string> failValueList;  // value listing ends with an error

    // Every SetValue attempt, as "path:name", in order.
    std::vector<std::string> writes;
    // Every path opened, as given.
    std::vector<std::string> opens;

    Node* NodeAt(callenv::RegRoot root, const std::string& path, bool create);

private:
    Node m_currentUser;
    Node m_localMachine;
};

}  // namespace testreg
