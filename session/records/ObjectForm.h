#pragma once
// The JSON object form shared by every record that travels as an object:
//   {"type": "<unit>.<Class>", "id": n, "fields": {"F...": value, ...}}
// Fields are written in declaration order. Reading ignores unknown members, keeps the
// current (constructor) value of a field that is missing or null, and throws wire::Error
// when the type names another class or a member has the wrong JSON kind.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "wire/Value.h"

namespace records {

template <class T>
using MemberPtr = std::variant<std::string T::*, std::int32_t T::*, double T::*, bool T::*>;

template <class T> struct FieldDef {
    const char* name;
    MemberPtr<T> member;
};

// Checks that json is an object of the given qualified class and returns its "fields" object.
const nlohmann::ordered_json& objectFields(const nlohmann::ordered_json& json, const std::string& typeName);

std::string readText(const nlohmann::ordered_json& v, const char* field);
std::int32_t readInt32(const nlohmann::ordered_json& v, const char* field);
double readDouble(const nlohmann::ordered_json& v, const char* field);
bool readBool(const nlohmann::ordered_json& v, const char* field);

inline nlohmann::ordered_json objectHeader(const std::string& typeName, int id) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    j["type"] = typeName;
    j["id"] = id;
    j["fields"] = nlohmann::ordered_json::object();
    return j;
}

template <class T>
nlohmann::ordered_json toObjectForm(const T& obj, const std::string& typeName, int id,
                                    const std::vector<FieldDef<T>>& defs) {
    nlohmann::ordered_json j = objectHeader(typeName, id);
    auto& fields = j["fields"];
    for (const auto& s : defs)
        std::visit([&](auto m) { fields[s.name] = obj.*m; }, s.member);
    return j;
}

template <class T>
void fromObjectForm(T& obj, const nlohmann::ordered_json& json, const std::string& typeName,
                    const std::vector<FieldDef<T>>& defs) {
    const auto& fields = objectFields(json, typeName);
    for (const auto& s : defs) {
        auto it = fields.find(s.name);
        if (it == fields.end() || it->is_null()) continue;
        const auto& v = *it;
        std::visit(
            [&](auto m) {
                using V = std::remove_reference_t<decltype(obj.*m)>;
                if constexpr (std::is_same_v<V, std::string>)
                    obj.*m = readText(v, s.name);
                else if constexpr (std::is_same_v<V, std::int32_t>)
                    obj.*m = readInt32(v, s.name);
                else if constexpr (std::is_same_v<V, double>)
                    obj.*m = readDouble(v, s.name);
                else
                    obj.*m = readBool(v, s.name);
            },
            s.member);
    }
}

} // namespace records
