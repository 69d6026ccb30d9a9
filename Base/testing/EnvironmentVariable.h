#pragma once

// Test support: one environment variable set, or removed, for a scope.

#include <stdlib.h>

#include <optional>
#include <string>

namespace Base::Testing {

// Sets `name` to `value`, or removes it when `value` is null, and puts back
// what was there when the scope ends.
class EnvironmentVariable {
public:
    EnvironmentVariable(std::string name, const char* value) : name_(std::move(name)) {
        if (const char* old = ::getenv(name_.c_str())) saved_ = old;
        if (value) {
            ::setenv(name_.c_str(), value, 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    ~EnvironmentVariable() {
        if (saved_) {
            ::setenv(name_.c_str(), saved_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace Base::Testing
