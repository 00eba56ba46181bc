#pragma once
#include <gtest/gtest.h>

#include "pixmond/failure.h"

namespace testsupport {

// Runs f and returns the module failure it throws; fails the test when it does not throw.
template <class F>
pixmond::FailureRecord FailureOf(F&& f) {
    try {
        f();
    } catch (const pixmond::ModuleFailure& e) {
        return e.record();
    }
    ADD_FAILURE() << "no module failure";
    return {};
}

inline pixmond::FailureRecord Record(const char* source, const char* method, std::string message) {
    return {source, method, std::move(message)};
}

}  // namespace testsupport

namespace pixmond {
inline bool operator==(const FailureRecord& a, const FailureRecord& b) {
    return a.source == b.source && a.method == b.method && a.message == b.message;
}
inline std::ostream& operator<<(std::ostream& os, const FailureRecord& r) {
    return os << "{" << r.source << " | " << r.method << " | " << r.message << "}";
}
}  // namespace pixmond
