#pragma once

// An open HID interface. Each backend derives its own handle; callers only pass it back.
class HidHandle {
public:
    virtual ~HidHandle() = default;
};
