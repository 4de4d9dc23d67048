// The syntax of what a D-Bus message names: type signatures, object paths, interface, member,
// error and bus names. Whatever a peer sends is checked against these before it is used.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform::dbus {

// The deepest nesting a signature may hold: arrays and structs each, and in a value, where
// variants count too, all together.
inline constexpr int kMaxArrayDepth = 32;
inline constexpr int kMaxStructDepth = 32;
inline constexpr int kMaxTotalDepth = 64;

// The length of the single complete type at the start of `signature` (0 when there is none or
// it is malformed or nested too deeply).
std::size_t CompleteTypeLength(std::string_view signature);
// A signature of any number of complete types, at most 255 bytes long.
bool IsValidSignature(std::string_view signature);
// A signature of exactly one complete type (a variant's).
bool IsSingleCompleteType(std::string_view signature);
bool IsValidObjectPath(std::string_view path);
// Dotted names: interfaces and errors.
bool IsValidInterfaceName(std::string_view name);
bool IsValidMemberName(std::string_view name);
// A unique (":1.42") or well-known ("org.example.Name") bus name.
bool IsValidBusName(std::string_view name);

// Alignment of the values of a basic or container type code on the wire.
std::size_t AlignmentOf(char type);
bool IsBasicType(char type);

} // namespace platform::dbus
