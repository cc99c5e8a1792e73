#include "session/records/ObjectForm.h"

namespace records {

namespace {
[[noreturn]] void wrongKind(const char* field, const char* expected, const nlohmann::ordered_json& v) {
    throw wire::Error(std::string("object field ") + field + ": expected " + expected + ", got " +
                      v.type_name());
}
} // namespace

const nlohmann::ordered_json& objectFields(const nlohmann::ordered_json& json, const std::string& typeName) {
    if (!json.is_object())
        throw wire::Error("expected an object of type " + typeName + ", got " + json.type_name());
    auto type = json.find("type");
    if (type == json.end() || !type->is_string())
        throw wire::Error("object without a type where " + typeName + " was expected");
    if (type->get_ref<const std::string&>() != typeName)
        throw wire::Error("expected an object of type " + typeName + ", got " + type->get<std::string>());
    auto id = json.find("id");
    if (id != json.end() && !id->is_number_integer())
        throw wire::Error("object " + typeName + " has a non-integer id");
    auto fields = json.find("fields");
    if (fields == json.end() || !fields->is_object())
        throw wire::Error("object " + typeName + " has no fields object");
    return *fields;
}

std::string readText(const nlohmann::ordered_json& v, const char* field) {
    if (!v.is_string()) wrongKind(field, "text", v);
    return v.get<std::string>();
}

std::int32_t readInt32(const nlohmann::ordered_json& v, const char* field) {
    if (v.is_number_integer()) {
        if (v.is_number_unsigned()) {
            auto u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
                throw wire::Error(std::string("object field ") + field + ": integer out of range");
            return static_cast<std::int32_t>(u);
        }
        auto i = v.get<std::int64_t>();
        if (i < std::numeric_limits<std::int32_t>::min() || i > std::numeric_limits<std::int32_t>::max())
            throw wire::Error(std::string("object field ") + field + ": integer out of range");
        return static_cast<std::int32_t>(i);
    }
    if (v.is_number_float()) {
        // A whole number written with a fraction part (3.0) is accepted.
        double d = v.get<double>();
        if (std::trunc(d) == d && d >= std::numeric_limits<std::int32_t>::min() &&
            d <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(d);
    }
    wrongKind(field, "32-bit integer", v);
}

double readDouble(const nlohmann::ordered_json& v, const char* field) {
    if (!v.is_number()) wrongKind(field, "number", v);
    return v.get<double>();
}

bool readBool(const nlohmann::ordered_json& v, const char* field) {
    if (!v.is_boolean()) wrongKind(field, "boolean", v);
    return v.get<bool>();
}

} // namespace records
