#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A colour in its stored 32-bit form: red in bits 16-23, green in 8-15, blue in 0-7.
struct Color {
    std::uint32_t value = 0;
    int Red() const { return (value >> 16) & 0xFF; }
    int Green() const { return (value >> 8) & 0xFF; }
    int Blue() const { return value & 0xFF; }
    friend bool operator==(Color, Color) = default;
};
constexpr Color RGB(int red, int green, int blue)
{
    return Color {static_cast<std::uint32_t>((red << 16) | (green << 8) | blue)};
}

enum class FontUnits : std::uint8_t {};

// The no-index marker: the control belongs to no indexed group and is found by its name alone.
constexpr std::int32_t kNoIndex = INT32_MIN;

enum class PropertyType { Integer, Boolean, String, Single, Double, Color, FontUnits };
using PropertyValue = std::variant<std::int32_t, bool, std::string, float, double, Color, FontUnits>;

// One entry of a declared layout: a property's name as the list spells it, and its value.
struct PropertyEntry {
    std::string name;
    PropertyValue value;
};
using PropertyList = std::vector<PropertyEntry>;

PropertyType TypeOf(const PropertyValue& value);

class PropertyTarget;

// What a class declares of one property: its name, its type, and how to set it.
struct DeclaredProperty {
    std::string name;
    PropertyType type;
    std::function<void(PropertyTarget&, const PropertyValue&)> set;
};
using PropertyTable = std::vector<DeclaredProperty>;

// An object whose declared properties a property list can set.
class PropertyTarget {
public:
    virtual ~PropertyTarget() = default;
    virtual const PropertyTable& DeclaredProperties() const = 0;
    // The declared property of that name, letter case ignored; nullptr when there is none.
    const DeclaredProperty* FindProperty(std::string_view name) const;
};

// Declares a property of Target whose value is of type Value.
template <class Target, class Value> DeclaredProperty Declare(std::string name, void (*set)(Target&, Value))
{
    using Stored = std::decay_t<Value>;
    PropertyValue sample = Stored {};
    return {std::move(name), TypeOf(sample),
        [set](PropertyTarget& target, const PropertyValue& value) { set(static_cast<Target&>(target), std::get<Stored>(value)); }};
}

// Declares a property that a list may set and that has no effect on this desktop.
template <class Value> DeclaredProperty Ignore(std::string name)
{
    return Declare<PropertyTarget, Value>(std::move(name), [](PropertyTarget&, Value) {});
}

// A base table followed by a class's own declarations.
PropertyTable Extend(const PropertyTable& base, std::initializer_list<DeclaredProperty> own);

// Applies the entries in order. A name the target lacks or a value of another type raises
// PropertyListException: both are programming errors of a declared layout.
void _SetProperties(PropertyTarget& target, const PropertyList& list);

// The stored byte form: entries back to back, each the name, one space and the value encoded by
// its declared type (little-endian numbers, strings as a 32-bit count and the bytes).
std::string EncodePropertyList(const PropertyList& list);

// Reads a stored list and applies it to the target, taking each value's type from the target's
// declared property. A list that ends inside an entry raises PropertyListException.
void ApplyStoredPropertyList(PropertyTarget& target, std::string_view bytes);
