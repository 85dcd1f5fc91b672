// An owned kernel handle, closed when it goes out of scope.
#ifndef RAVLO_TEST_RUNNER_HANDLE_H
#define RAVLO_TEST_RUNNER_HANDLE_H

#include <windows.h>

class Handle {
public:
    Handle() = default;
    // Some functions fail with INVALID_HANDLE_VALUE, others with null: both are none.
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { Reset(); }
    Handle(Handle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

#endif
