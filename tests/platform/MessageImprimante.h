#pragma once
// The EPrinter message `action` throws; "" when it throws nothing.
#include "core/Exceptions.h"

#include <functional>
#include <string>

inline std::string MessageDe(const std::function<void()>& action) {
    try {
        action();
    } catch (const EPrinter& e) {
        return e.Message();
    }
    return {};
}
