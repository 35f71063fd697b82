#pragma once
// A cell read from a table or a query: null, a number or a text (UTF-8).
#include <optional>
#include <string>
#include <variant>

namespace daxo::platform {

class Value {
public:
    Value() = default;
    Value(double n) : v_(n) {}
    Value(long long n) : v_(static_cast<double>(n)) {}
    Value(int n) : v_(static_cast<double>(n)) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isNumber() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    // Text form: a number prints in its shortest form with a decimal point
    // ("12", "0.5"), a null as the empty text.
    std::string asString() const;
    // Number form: a text is parsed (blank or unparsable gives 0), a null gives 0.
    double asFloat() const;
    std::optional<double> number() const;

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, double, std::string> v_;
};

} // namespace daxo::platform
