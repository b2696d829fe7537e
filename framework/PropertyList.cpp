#include "framework/PropertyList.h"

#include "framework/text/Exceptions.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {
bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

const char* TypeName(PropertyType type)
{
    switch (type) {
    case PropertyType::Integer:
        return "Integer";
    case PropertyType::Boolean:
        return "Boolean";
    case PropertyType::String:
        return "String";
    case PropertyType::Single:
        return "Single";
    case PropertyType::Double:
        return "Double";
    case PropertyType::Color:
        return "Color";
    case PropertyType::FontUnits:
        return "FontUnits";
    }
    return "unknown";
}

const DeclaredProperty& RequireProperty(const PropertyTarget& target, std::string_view name)
{
    const DeclaredProperty* property = target.FindProperty(name);
    if (!property)
        throw PropertyListException("No declared property named \"" + std::string(name) + "\".");
    return *property;
}

static_assert(std::endian::native == std::endian::little, "the stored form is little-endian");

template <class T> void AppendRaw(std::string& bytes, T value)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.append(raw, sizeof(T));
}

template <class T> T ReadRaw(std::string_view bytes, std::size_t& at, std::string_view name)
{
    if (bytes.size() - at < sizeof(T))
        throw PropertyListException("The stored list ends inside the value of \"" + std::string(name) + "\".");
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof(T));
    at += sizeof(T);
    return value;
}
}

PropertyType TypeOf(const PropertyValue& value)
{
    return static_cast<PropertyType>(value.index());
}

const DeclaredProperty* PropertyTarget::FindProperty(std::string_view name) const
{
    const PropertyTable& table = DeclaredProperties();
    auto found = std::find_if(table.begin(), table.end(), [&](const DeclaredProperty& p) { return SameNameIgnoringCase(p.name, name); });
    return found == table.end() ? nullptr : &*found;
}

PropertyTable Extend(const PropertyTable& base, std::initializer_list<DeclaredProperty> own)
{
    PropertyTable table = base;
    table.insert(table.end(), own);
    return table;
}

void _SetProperties(PropertyTarget& target, const PropertyList& list)
{
    for (const PropertyEntry& entry : list) {
        const DeclaredProperty& property = RequireProperty(target, entry.name);
        if (property.type != TypeOf(entry.value))
            throw PropertyListException("\"" + entry.name + "\" is declared " + TypeName(property.type) + ", the list holds "
                + TypeName(TypeOf(entry.value)) + ".");
        property.set(target, entry.value);
    }
}

std::string EncodePropertyList(const PropertyList& list)
{
    std::string bytes;
    for (const PropertyEntry& entry : list) {
        bytes += entry.name;
        bytes += ' ';
        std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    AppendRaw(bytes, static_cast<std::uint32_t>(value.size()));
                    bytes += value;
                } else if constexpr (std::is_same_v<T, bool>) {
                    bytes += static_cast<char>(value ? 1 : 0);
                } else if constexpr (std::is_same_v<T, Color>) {
                    AppendRaw(bytes, value.value);
                } else {
                    AppendRaw(bytes, value);
                }
            },
            entry.value);
    }
    return bytes;
}

void ApplyStoredPropertyList(PropertyTarget& target, std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t space = bytes.find(' ', at);
        if (space == std::string_view::npos)
            throw PropertyListException("The stored list ends inside a property name.");
        std::string_view name = bytes.substr(at, space - at);
        at = space + 1;
        const DeclaredProperty& property = RequireProperty(target, name);
        PropertyValue value;
        switch (property.type) {
        case PropertyType::Integer:
            value = ReadRaw<std::int32_t>(bytes, at, name);
            break;
        case PropertyType::Boolean:
            value = ReadRaw<std::uint8_t>(bytes, at, name) != 0;
            break;
        case PropertyType::Single:
            value = ReadRaw<float>(bytes, at, name);
            break;
        case PropertyType::Double:
            value = ReadRaw<double>(bytes, at, name);
            break;
        case PropertyType::Color:
            value = Color {ReadRaw<std::uint32_t>(bytes, at, name)};
            break;
        case PropertyType::FontUnits:
            value = FontUnits {ReadRaw<std::uint8_t>(bytes, at, name)};
            break;
        case PropertyType::String: {
            auto count = ReadRaw<std::uint32_t>(bytes, at, name);
            if (bytes.size() - at < count)
                throw PropertyListException("The stored list ends inside the value of \"" + std::string(name) + "\".");
            value = std::string(bytes.substr(at, count));
            at += count;
            break;
        }
        }
        property.set(target, value);
    }
}
