#pragma once
// String values in the registry of the current user.
#include <optional>
#include <stdexcept>
#include <string>

namespace kv {

// A registry write failed. The message names the key and the system's reason; what() holds
// it in UTF-8 for the error box that reports uncaught failures.
class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::wstring& message) : std::runtime_error(toUtf8(message)), message_(message) {}
    const std::wstring& message() const { return message_; }

private:
    static std::string toUtf8(const std::wstring& text);
    std::wstring message_;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Writes value as the string value called name under key (relative to the current
    // user), creating the key and its missing parents. Throws RegistryError on failure.
    virtual void writeString(const std::wstring& key, const std::wstring& name, const std::wstring& value) = 0;
    // The string value called name under key; nothing when the key or value is missing.
    virtual std::optional<std::wstring> readString(const std::wstring& key, const std::wstring& name) const = 0;
};

// A registry that holds nothing and refuses every write (for forms built without one).
IRegistry& noRegistry();

}  // namespace kv
