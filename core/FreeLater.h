#pragma once

#include <QtGlobal>

#include <future>

// Containers of at least this many items are freed on a thread of their own:
// freeing a million rows holds the window for a tenth of a second or more.
inline constexpr qsizetype kFreedOnAThreadFrom = 20000;

// Gives the memory that a long job freed back to the system. The C library
// keeps freed memory for each thread that allocated it; without this a
// million rows sorted, planned and previewed on threads would stay in the
// process three times over.
void ReturnFreedMemory();

// Frees `value` on a thread when it is that large, else at once. `pending`
// holds the thread: one still running is waited for first, and it is
// waited for when `pending` goes.
template <class Container> void FreeLater(std::future<void>& pending, Container value)
{
    if (value.size() < kFreedOnAThreadFrom)
        return;
    pending = std::async(std::launch::async, [value = std::move(value)]() mutable {
        value = {};
        ReturnFreedMemory();
    });
}
