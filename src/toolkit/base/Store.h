// The first step of every property setter: store the new value, or tell that nothing changed.
#pragma once

#include <type_traits>

// Stores value in field and answers true when it differs from what the field held; answers
// false and leaves the field alone otherwise, so that a setter returns before repainting:
//     if (!Store(width_, value)) {
//         return;
//     }
//     Invalidate();
template <class T> bool Store(T& field, const std::type_identity_t<T>& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}
